#pragma once

#include <functional>
#include <map>
#include <optional>

#include "platform/platform.h"

namespace wordvane {

// Whether a window's IME is on, asked of the window itself. A window that
// does not answer in time (busy, or hung) keeps the last answer it gave: a
// timeout says nothing about the IME. It is asked again only once another
// window has had the keyboard, so that a silent window costs the key reading
// one wait per change of window, not one per key.
class ImeAnswers {
  public:
    bool open(WindowHandle window, const std::function<std::optional<bool>()>& ask) {
        constexpr size_t kMostRemembered = 64;
        if (window != silent_) {
            if (const std::optional<bool> answer = ask()) {
                if (known_.size() >= kMostRemembered) {
                    known_.clear();
                }
                known_[window] = *answer;
                silent_ = 0;
            } else {
                silent_ = window;
            }
        }
        const auto found = known_.find(window);
        return found != known_.end() && found->second;
    }

  private:
    std::map<WindowHandle, bool> known_;
    WindowHandle silent_ = 0;
};

}  // namespace wordvane
