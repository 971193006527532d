#pragma once

#include <array>
#include <cstdint>

#include "platform/platform.h"
#include "platform/virtual_keys.h"

namespace wordvane {

struct NavigationHotKey {
    const char16_t* atomName;
    int32_t modifiers;
    int32_t virtualKey;
};

// The navigation group, in the order its ids are obtained, registered,
// unregistered and released.
inline constexpr size_t kNavigationHotKeyCount = 12;

inline constexpr std::array<NavigationHotKey, kNavigationHotKeyCount> kNavigationHotKeys{{
    {u"HOTKEY_UP", 0, kVkUp},
    {u"HOTKEY_DOWN", 0, kVkDown},
    {u"HOTKEY_ROLLUP", 0, kVkPrior},
    {u"HOTKEY_ROLLDOWN", 0, kVkNext},
    {u"HOTKEY_RETURN", 0, kVkReturn},
    {u"HOTKEY_TAB", 0, kVkTab},
    {u"HOTKEY_HOME", 0, kVkHome},
    {u"HOTKEY_END", 0, kVkEnd},
    {u"HOTKEY_INSERT", 0, kVkInsert},
    {u"HOTKEY_DELETE", 0, kVkDelete},
    {u"HOTKEY_SHIFTINSERT", kModShift, kVkInsert},
    {u"HOTKEY_SHIFTDELETE", kModShift, kVkDelete},
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
};

}  // namespace wordvane
