#pragma once

#include <windows.h>

#include <deque>
#include <vector>

#include "completion/held_keys.h"
#include "platform/platform.h"

namespace wordvane::win32 {

// The user's key presses from raw keyboard input (WM_INPUT), in the order
// they happened, with the modifiers held at each: a key is never lost when
// several come between two polls or the program's thread was busy. The
// program's own keystrokes are known by the tag they carry and, where the
// tag does not come through, by the sequence the program sent; a held key's
// repeats are not presses.
class KeyPressRecorder {
  public:
    // The tag of the program's own SendInput keystrokes (dwExtraInfo).
    static constexpr ULONG_PTR kOwnKeystroke = 0x5756'4B53;

    // The program has sent `keys`; their raw input is still to come.
    void ownKeysSent(const std::vector<KeyStroke>& keys);
    // The keyboard's part of one WM_INPUT message.
    void rawInput(const RAWKEYBOARD& key);
    std::vector<KeyPress> take();
    // The session was locked, unlocked or switched, or the input desktop: the
    // keys went up on another desktop, whose input never came here, so no key
    // is held now (a Windows key left held would make every later press a
    // shortcut).
    void forgetHeldKeys() {
        down_.clear();
        sent_.clear();
    }
    // Whether the right Alt is down: with Ctrl, on a layout that has AltGr,
    // it is AltGr.
    bool rightAltHeld() const { return rightAlt_; }

  private:
    bool isOwn(int virtualKey, bool up, ULONG extra, ULONGLONG now);
    bool held(int virtualKey) const { return down_.held(virtualKey); }

    struct Sent {
        KeyStroke key;
        ULONGLONG at;
    };
    std::deque<Sent> sent_;
    HeldKeys down_;
    bool rightAlt_ = false;
    // The foreground window at the last press.
    HWND front_ = nullptr;
    std::vector<KeyPress> presses_;
};

}  // namespace wordvane::win32
