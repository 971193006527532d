#pragma once

#include <array>
#include <cstdint>

#include "platform/platform.h"
#include "platform/virtual_keys.h"

namespace wordvane {

struct NavigationHotKey {
    int32_t modifiers;
    int32_t virtualKey;
};

// The hotkeys' ids: fixed numbers in the range a program gives its own
// hotkeys (below 0xC000, where the global atoms begin), so that no other
// program's atoms can clash with them.
inline constexpr int16_t kFirstNavigationHotKeyId = 0x0100;
inline constexpr int16_t kFirstListHotKeyId = 0x0200;
inline constexpr int16_t kPopupHotKeyId = 0x0300;

// The navigation group, in the order it is registered and unregistered.
inline constexpr size_t kNavigationHotKeyCount = 13;

inline constexpr std::array<NavigationHotKey, kNavigationHotKeyCount> kNavigationHotKeys{{
    {0, kVkUp},
    {0, kVkDown},
    {0, kVkPrior},
    {0, kVkNext},
    {0, kVkReturn},
    {0, kVkTab},
    {0, kVkHome},
    {0, kVkEnd},
    {0, kVkInsert},
    {0, kVkDelete},
    {kModShift, kVkInsert},
    {kModShift, kVkDelete},
    {kModControl, kVkF},
}};

enum NavigationHotKeyIndex : size_t {
    kUpHotKey,
    kDownHotKey,
    kRollUpHotKey,
    kRollDownHotKey,
    kReturnHotKey,
    kTabHotKey,
    kHomeHotKey,
    kEndHotKey,
    kInsertHotKey,
    kDeleteHotKey,
    kShiftInsertHotKey,
    kShiftDeleteHotKey,
    kFindHotKey,
};

}  // namespace wordvane
