#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/virtual_keys.h"

namespace wordvane {

// Polls the keyboard and spells the key that went down since the previous
// poll ("a", "A", "backspace", "↑", "ShiftSpace", ...).
class KeyReader {
  public:
    KeyReader();

    // Fills the spelling table (Japanese 106/109-key layout).
    void setKeyRelation();
    std::u16string getString(int16_t code, bool shift) const;
    // One poll: the spelling of the next key the user pressed, or empty. A
    // held key is spelled once. Where the platform records the presses, each
    // poll takes the oldest one not yet spelled, so keys typed faster than
    // the polls all come, in order; else the first key (by code) that went
    // down since the previous poll.
    std::u16string getPushedSpell(Platform& platform);
    // The keys come from the platform's record of presses, not from polling:
    // the program's own keystrokes are never among them.
    bool readsRecordedPresses() const { return recorded_; }

    // The key of a hotkey that just fired belongs to the hotkey, not to the
    // typing: it is not spelled until a poll has seen it down and then up
    // (or after half a second, should no poll ever see it down).
    void suppressUntilReleased(int16_t code, uint64_t nowMilliseconds);

    // The modifiers as the last poll found them.
    bool shiftDown() const { return shiftDown_; }
    bool ctrlDown() const { return ctrlDown_; }
    // The last spelled key went down with Ctrl, Alt or Windows held: a
    // shortcut of the application or the system, not typing.
    bool spelledWithCommandKey() const { return spelledWithCommandKey_; }
    // The last poll found every key up, as the poll before it had: no key
    // moved since, as far as the platform can tell.
    bool atRest() const { return atRest_; }
    // The last poll saw a polled key go down, spelled or not.
    bool keyWentDown() const { return keyWentDown_; }

    // The polled codes, in ascending order.
    static const std::vector<int16_t>& polledCodes();

  private:
    std::array<std::array<std::u16string, 2>, 256> keySpell_;
    std::vector<int16_t> lastPushedKeys_;
    std::vector<int16_t> pushedKeys_;
    bool shiftDown_ = false;
    bool ctrlDown_ = false;
    bool keyWentDown_ = false;
    bool spelledWithCommandKey_ = false;
    bool recorded_ = false;
    bool atRest_ = false;
    // Presses taken from the platform and not yet spelled.
    std::deque<KeyPress> presses_;

    struct Suppressed {
        int16_t code;
        uint64_t since;
        bool seenDown;
    };
    std::vector<Suppressed> suppressed_;
    std::u16string spell(Platform& platform, int16_t code, bool altGr);
    std::u16string nextRecordedSpelling(Platform& platform);
    bool isHotKeysPress(const KeyPress& press);
    static bool isTypingKey(int16_t code);
    // Drops `code` from this poll's keys while it is suppressed.
    bool suppressedNow(int16_t code, bool active, uint64_t now);
};

}  // namespace wordvane
