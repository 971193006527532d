#include "hotkeys/hotkey_registration.h"

namespace wordvane {

HotKeys::HotKeys(Platform& platform, const ui::Window& owner, const Lists& lists)
    : platform_(platform), owner_(owner), lists_(lists) {}

void HotKeys::setCombinations(const HotKeyCombination& popup,
                              const std::array<HotKeyCombination, 7>& lists) {
    popupShifts_ = popup.modifiers;
    popupKeyCode_ = popup.key;
    for (size_t i = 0; i < hotKeys_.size(); ++i) {
        hotKeys_[i].prePushHotKey = lists[i].modifiers;
        hotKeys_[i].pushedKey = lists[i].key;
    }
    setEnableHotkey();
}

std::array<HotKeyCombination, 7> HotKeys::listCombinations() const {
    std::array<HotKeyCombination, 7> combinations{};
    for (size_t i = 0; i < hotKeys_.size(); ++i) {
        combinations[i] = {hotKeys_[i].prePushHotKey, hotKeys_[i].pushedKey};
    }
    return combinations;
}

void HotKeys::setEnableHotkey() {
    for (size_t i = 0; i < hotKeys_.size(); ++i) {
        hotKeys_[i].enabled = true;
        for (size_t j = 0; j < i; ++j) {
            if (sameCombination(hotKeys_[j], hotKeys_[i])) {
                hotKeys_[i].enabled = false;
                break;
            }
        }
    }
}

bool HotKeys::listInUse(int list) const {
    if (list == kLauncherList || list == kClipboardList) {
        return lists_.settings.listEnabled[static_cast<size_t>(list)] && lists_.loaded(list);
    }
    return lists_.loaded(list);
}

// A list or pop-up hotkey fires once while held: its placement is not
// redone on every auto-repeat.
bool HotKeys::registerOnce(int16_t id, int32_t modifiers, int32_t key) {
    return platform_.registerHotKey(window(), id, modifiers | kModNoRepeat, key);
}

// Registers what is not registered yet: the popup-menu hotkey and the enabled
// list hotkeys of the lists in use. A combination another program holds
// stays unregistered.
void HotKeys::setShowHotKey() {
    if (!popupRegistered_) {
        popupRegistered_ = registerOnce(kPopupHotKeyId, popupShifts_, popupKeyCode_);
    }
    for (size_t i = 0; i < hotKeys_.size(); ++i) {
        const HotKeySetting& hotKey = hotKeys_[i];
        if (listInUse(static_cast<int>(i)) && hotKey.enabled && !listRegistered_[i]) {
            listRegistered_[i] = registerOnce(listId(i), hotKey.prePushHotKey, hotKey.pushedKey);
        }
    }
}

void HotKeys::deleteShowHotKey() {
    for (size_t i = 0; i < hotKeys_.size(); ++i) {
        if (listRegistered_[i]) {
            platform_.unregisterHotKey(window(), listId(i));
            listRegistered_[i] = false;
        }
    }
}

void HotKeys::deletePopupHotKey() {
    if (popupRegistered_) {
        platform_.unregisterHotKey(window(), kPopupHotKeyId);
        popupRegistered_ = false;
    }
}

void HotKeys::setHotKeyNumber(int16_t index, int32_t prePushHotKey, int16_t pushedKey) {
    HotKeySetting& hotKey = hotKeys_.at(static_cast<size_t>(index));
    hotKey.prePushHotKey = prePushHotKey;
    hotKey.pushedKey = pushedKey;
}

bool HotKeys::changePopupHotkey(int32_t shifts, int16_t keyCode) {
    const int32_t oldShifts = popupShifts_;
    const int16_t oldKey = popupKeyCode_;
    deletePopupHotKey();
    popupShifts_ = shifts;
    popupKeyCode_ = keyCode;
    popupRegistered_ = registerOnce(kPopupHotKeyId, shifts, keyCode);
    if (!popupRegistered_) {
        popupShifts_ = oldShifts;
        popupKeyCode_ = oldKey;
        popupRegistered_ = registerOnce(kPopupHotKeyId, oldShifts, oldKey);
        return false;
    }
    return true;
}

void HotKeys::setNavigationHotKey(bool withReturn) {
    if (navigationRegistered_ || (keyboardInOwnTextBox && keyboardInOwnTextBox())) {
        return;
    }
    navigationRegistered_ = true;
    for (size_t i = 0; i < kNavigationHotKeys.size(); ++i) {
        if (i == kReturnHotKey && !withReturn) {
            continue;
        }
        platform_.registerHotKey(window(), navigationId(i), kNavigationHotKeys[i].modifiers,
                                 kNavigationHotKeys[i].virtualKey);
    }
}

void HotKeys::yieldNavigationToOwnTextBox() {
    if (navigationRegistered_ && keyboardInOwnTextBox && keyboardInOwnTextBox()) {
        deleteNavigationHotKey();
    }
}

void HotKeys::deleteNavigationHotKey() {
    if (!navigationRegistered_) {
        return;
    }
    navigationRegistered_ = false;
    for (size_t i = 0; i < kNavigationHotKeys.size(); ++i) {
        platform_.unregisterHotKey(window(), navigationId(i));
    }
}

void HotKeys::releaseDeleteHotKey() {
    platform_.unregisterHotKey(window(), navigationId(kDeleteHotKey));
}

void HotKeys::takeDeleteHotKey() {
    const auto& hotKey = kNavigationHotKeys[kDeleteHotKey];
    platform_.registerHotKey(window(), navigationId(kDeleteHotKey), hotKey.modifiers,
                             hotKey.virtualKey);
}

int HotKeys::virtualKeyOf(int16_t id) const {
    const int navigation = id - kFirstNavigationHotKeyId;
    if (navigation >= 0 && navigation < static_cast<int>(kNavigationHotKeys.size())) {
        return kNavigationHotKeys[static_cast<size_t>(navigation)].virtualKey;
    }
    const int list = id - kFirstListHotKeyId;
    if (list >= 0 && list < static_cast<int>(hotKeys_.size())) {
        return hotKeys_[static_cast<size_t>(list)].pushedKey;
    }
    return id == kPopupHotKeyId ? popupKeyCode_ : 0;
}

}  // namespace wordvane
