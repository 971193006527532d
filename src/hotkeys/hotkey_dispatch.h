#pragma once

#include <cstdint>
#include <functional>

#include "completion/completion.h"
#include "completion/key_reader.h"
#include "completion/modes.h"
#include "editing/list_commands.h"
#include "editing/list_navigation.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/lists.h"
#include "platform/platform.h"

namespace wordvane {

// Hotkey messages on Form1's window: each calls the operation of the hotkey
// with that id. While a hotkey handler runs (it may show a message box),
// further hotkeys are dropped.
class HotKeyDispatch {
  public:
    HotKeyDispatch(Platform& platform, const HotKeys& hotkeys, KeyReader& keys, const Lists& lists,
                   Completion& completion, ListNavigation& navigation, Modes& modes,
                   ListCommands& listCommands);

    void hotKeyWndProc(int16_t id);
    // A key typed into the launcher's filter box, which has the keyboard
    // while the navigation keys are no hotkeys: while the list is shown it
    // does what its hotkey does. False for other keys (and for the IME's
    // VK_PROCESSKEY) and while the list is hidden.
    bool navigationKey(int virtualKey, int32_t modifiers);

    // Switches to list `index` for its list hotkey.
    void setModeOfHotkey(int16_t index);

    // Return on the shown list (the launcher's open), and the popup-menu
    // hotkey (the text-transform menu).
    std::function<void()> onReturn;
    std::function<void()> onPopupMenu;
    // Insert (series paste) and Shift+Insert (add a word) on the shown list.
    std::function<void()> onInsert;
    std::function<void()> onShiftInsert;

  private:
    void dispatch(int16_t id);
    bool dispatchNavigation(int16_t id, NavigationHotKeyIndex first, NavigationHotKeyIndex last);
    void showListOfHotkey(int16_t list);

    Platform& platform_;
    const HotKeys& hotkeys_;
    KeyReader& keys_;
    const Lists& lists_;
    Completion& completion_;
    ListNavigation& navigation_;
    Modes& modes_;
    ListCommands& listCommands_;
    bool inHotKey_ = false;
};

}  // namespace wordvane
