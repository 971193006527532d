#include "platform/win32/key_press_recorder.h"

#include <utility>

namespace wordvane::win32 {

namespace {

constexpr size_t kMostWaiting = 256;
// How long a keystroke the program sent may take to come back as raw input.
constexpr ULONGLONG kOwnKeyLifetimeMs = 1000;

// Raw input may name the left or right modifier key (Wine does); the
// program asks for either.
int eitherSide(int virtualKey) {
    switch (virtualKey) {
        case VK_LSHIFT:
        case VK_RSHIFT:
            return VK_SHIFT;
        case VK_LCONTROL:
        case VK_RCONTROL:
            return VK_CONTROL;
        case VK_LMENU:
        case VK_RMENU:
            return VK_MENU;
        default:
            return virtualKey;
    }
}

bool isModifier(int virtualKey) {
    return virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU ||
           virtualKey == VK_LWIN || virtualKey == VK_RWIN;
}

// The window in front, which has the keyboard, is one of the program's own.
bool ownWindow(HWND front) {
    DWORD process = 0;
    return front != nullptr && GetWindowThreadProcessId(front, &process) != 0 &&
           process == GetCurrentProcessId();
}

}  // namespace

void KeyPressRecorder::ownKeysSent(const std::vector<KeyStroke>& keys) {
    const ULONGLONG now = GetTickCount64();
    for (const KeyStroke& key : keys) {
        sent_.push_back(Sent{key, now});
    }
}

// The oldest keystroke the program sent that has not come back yet is this
// one: it is ours (a key of the user's in between does not match it).
bool KeyPressRecorder::isOwn(int virtualKey, bool up, ULONG extra, ULONGLONG now) {
    while (!sent_.empty() && now - sent_.front().at > kOwnKeyLifetimeMs) {
        sent_.pop_front();
    }
    if (!sent_.empty() && sent_.front().key.virtualKey == virtualKey &&
        sent_.front().key.up == up) {
        sent_.pop_front();
        return true;
    }
    return extra == static_cast<ULONG>(kOwnKeystroke);
}

void KeyPressRecorder::rawInput(const RAWKEYBOARD& key) {
    const int virtualKey = eitherSide(key.VKey);
    if (virtualKey == 0 || virtualKey >= 0xFF) {
        return;  // a part of a key sequence with no key of its own
    }
    const bool up = (key.Flags & RI_KEY_BREAK) != 0;
    const ULONGLONG now = GetTickCount64();
    const bool own = isOwn(virtualKey, up, key.ExtraInformation, now);
    if (virtualKey == VK_MENU && (key.Flags & RI_KEY_E0) != 0) {
        rightAlt_ = !up;
    }
    const bool repeat = down_.moved(virtualKey, up, now);
    if (up || repeat || own || isModifier(virtualKey) || presses_.size() >= kMostWaiting) {
        return;
    }
    // A release that never came here (an elevated window was in front) is
    // taken from the keyboard's own state, but only while this input is
    // fresh: read late (the thread was busy), a Ctrl+C may be over on the
    // keyboard already, and its Ctrl would be lost.
    constexpr LONG kFreshMs = 100;
    const HWND front = GetForegroundWindow();
    if (static_cast<LONG>(GetTickCount() - static_cast<DWORD>(GetMessageTime())) < kFreshMs) {
        down_.forgetReleased([](int held) { return (GetAsyncKeyState(held) & 0x8000) == 0; },
                             front != front_, now);
        front_ = front;
    }
    rightAlt_ = rightAlt_ && down_.held(VK_MENU);
    presses_.push_back(KeyPress{virtualKey, held(VK_SHIFT), held(VK_CONTROL), held(VK_MENU),
                                held(VK_LWIN) || held(VK_RWIN), now, ownWindow(front),
                                rightAlt_ && held(VK_CONTROL)});
}

std::vector<KeyPress> KeyPressRecorder::take() {
    return std::exchange(presses_, {});
}

}  // namespace wordvane::win32
