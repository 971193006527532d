#pragma once

#include <cstdint>

namespace wordvane {

class App;

// A hotkey message on Form1's window: calls the operation of the hotkey with
// that id. While a hotkey handler runs (it may show a message box), further
// hotkeys are dropped.
void hotKeyWndProc(App& app, int16_t id);

// Switches to list `index` for its list hotkey.
void setModeOfHotkey(App& app, int16_t index);

}  // namespace wordvane
