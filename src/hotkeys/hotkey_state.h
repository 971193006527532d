#pragma once

#include <array>
#include <cstdint>

namespace wordvane {

// A user-defined hotkey: modifier flags (Alt 1, Control 2, Shift 4, Windows 8)
// and a virtual-key code. Disabled when an entry of lower index already has
// the same combination.
struct HotKeySetting {
    int32_t prePushHotKey = 0;
    int16_t pushedKey = 0;
    bool enabled = false;
};

inline bool sameCombination(const HotKeySetting& a, const HotKeySetting& b) {
    return a.pushedKey == b.pushedKey && a.prePushHotKey == b.prePushHotKey;
}

inline constexpr int kNavigationHotKeyCount = 12;

struct HotKeyState {
    std::array<HotKeySetting, 7> hotKeys{};
    int32_t popupShifts = 0;
    int16_t popupKeyCode = 0;

    std::array<int16_t, kNavigationHotKeyCount> navigationHotKeyIds{};
    std::array<int16_t, 7> listHotKeyIds{};
    int16_t popupHotKeyId = 0;
    // Hotkey messages reach the dispatch only while Form1's window is hooked.
    bool hooked = false;
    bool inHotKey = false;
};

}  // namespace wordvane
