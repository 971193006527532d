#pragma once

#include <cstdint>
#include <functional>
#include <map>

namespace wordvane {

// The keys the keyboard input says are down, from their presses and
// releases. A release can be missed: while an elevated window is in front,
// its input never reaches a program that is not elevated. A key is then
// forgotten once the keyboard itself says it is up, asked when the
// foreground has changed and for a key that has not repeated for a second,
// so that Ctrl or Windows never stays "held" and turns every later key into
// a shortcut.
class HeldKeys {
  public:
    // A key went down or up; true for a held key's repeat.
    bool moved(int virtualKey, bool up, uint64_t now);
    bool held(int virtualKey) const { return down_.contains(virtualKey); }
    // Asks `keyboardSaysUp` about the keys that may have gone up unseen:
    // every held key when the foreground changed, else those silent for a
    // second.
    void forgetReleased(const std::function<bool(int virtualKey)>& keyboardSaysUp,
                        bool foregroundChanged, uint64_t now);
    void clear() { down_.clear(); }

  private:
    // Each held key with when it last went down or repeated.
    std::map<int, uint64_t> down_;
};

}  // namespace wordvane
