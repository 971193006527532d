#pragma once

#include <array>
#include <cstdint>

#include "hotkeys/hotkey_ids.h"
#include "lists/lists.h"
#include "lists/settings_file.h"
#include "platform/platform.h"
#include "ui/controls.h"

namespace wordvane {

// A user-defined list hotkey: modifier flags (Alt 1, Control 2, Shift 4,
// Windows 8) and a virtual-key code. Disabled when an entry of lower index
// already has the same combination.
struct HotKeySetting {
    int32_t prePushHotKey = 0;
    int16_t pushedKey = 0;
    bool enabled = false;
};

inline bool sameCombination(const HotKeySetting& a, const HotKeySetting& b) {
    return a.pushedKey == b.pushedKey && a.prePushHotKey == b.prePushHotKey;
}

// The program's global hotkeys, all registered on the candidate window
// (Form1): the navigation group while the list is shown, the list hotkeys and
// the popup-menu hotkey from start-up to exit. Ids come from the global atom
// table by name.
class HotKeys {
  public:
    HotKeys(Platform& platform, const ui::Window& owner, const Lists& lists);

    // The combinations of vane.ini; recomputes which list hotkeys are enabled.
    void setCombinations(const HotKeyCombination& popup,
                         const std::array<HotKeyCombination, 7>& lists);
    // The combinations as vane.ini keeps them.
    HotKeyCombination popupCombination() const { return {popupShifts_, popupKeyCode_}; }
    std::array<HotKeyCombination, 7> listCombinations() const;
    const std::array<HotKeySetting, 7>& hotKeys() const { return hotKeys_; }

    // Of several list hotkeys with the same combination only the lowest index
    // is enabled.
    void setEnableHotkey();
    // Registers the popup-menu hotkey and the list hotkeys of the lists in use.
    void setShowHotKey();
    // Releases the list hotkeys; the popup-menu hotkey stays.
    void deleteShowHotKey();
    // Releases the popup-menu hotkey (at shutdown).
    void deletePopupHotKey();
    // Stores a list hotkey's combination; registers nothing.
    void setHotKeyNumber(int16_t index, int32_t prePushHotKey, int16_t pushedKey);
    // Replaces the popup-menu hotkey; when the system refuses the new
    // combination, the old one stays and the result is false.
    bool changePopupHotkey(int32_t shifts, int16_t keyCode);
    bool listHotKeyRegistered(size_t list) const { return listRegistered_[list]; }
    // The launcher's and the clipboard history's hotkeys only while they are
    // enabled; no list hotkey for a list that was not read.
    bool listInUse(int list) const;

    // The twelve keys that drive the shown candidate list; without Return
    // while an IME is on, which commits its composition with it; none while
    // a text box of the program has the keyboard, whose IME takes the
    // arrows, Return and the page keys for its candidates.
    void setNavigationHotKey(bool withReturn = true);
    std::function<bool()> keyboardInOwnTextBox;
    // A click into a box of the program (the description) takes the
    // registered navigation keys from the list for the box and its IME;
    // asked on every tick, it asks nothing while none is registered.
    void yieldNavigationToOwnTextBox();
    void deleteNavigationHotKey();
    // The one member the launcher releases while it sends its own Delete keys.
    void releaseDeleteHotKey();
    void takeDeleteHotKey();

    // Hotkey messages reach the dispatch only while the window is hooked.
    void hookWindow() { hooked_ = true; }
    void unhookWindow() { hooked_ = false; }
    bool hooked() const { return hooked_; }

    // The ids, for the dispatch: fixed numbers from each group's first.
    static int16_t navigationId(size_t member) {
        return static_cast<int16_t>(kFirstNavigationHotKeyId + member);
    }
    static int16_t listId(size_t list) { return static_cast<int16_t>(kFirstListHotKeyId + list); }
    static int16_t popupId() { return kPopupHotKeyId; }
    // The main key of the hotkey with `id`; 0 when none has it.
    int virtualKeyOf(int16_t id) const;

  private:
    WindowHandle window() const { return owner_.handle(); }
    bool registerOnce(int16_t id, int32_t modifiers, int32_t key);

    Platform& platform_;
    const ui::Window& owner_;
    const Lists& lists_;
    std::array<HotKeySetting, 7> hotKeys_{};
    int32_t popupShifts_ = 0;
    int16_t popupKeyCode_ = 0;
    // The navigation group is registered; registering or releasing it twice
    // does nothing.
    bool navigationRegistered_ = false;
    // What is registered now, so that nothing is released twice.
    std::array<bool, 7> listRegistered_{};
    bool popupRegistered_ = false;
    bool hooked_ = false;
};

}  // namespace wordvane
