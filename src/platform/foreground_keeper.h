#pragma once

#include "platform/platform.h"

namespace wordvane {

// Gives the foreground back to the window that had it when the keeper was
// made: showing, hiding or moving the candidate list never takes the keyboard
// from the user's application.
class ForegroundKeeper {
  public:
    explicit ForegroundKeeper(Platform& platform)
        : platform_(platform), window_(platform.foregroundWindow()) {}
    ~ForegroundKeeper() { platform_.setForegroundWindow(window_); }
    // The foreground goes to `window` instead (one of ours that took the
    // keyboard meanwhile).
    void handTo(WindowHandle window) { window_ = window; }
    ForegroundKeeper(const ForegroundKeeper&) = delete;
    ForegroundKeeper& operator=(const ForegroundKeeper&) = delete;

  private:
    Platform& platform_;
    WindowHandle window_;
};

}  // namespace wordvane
