#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace wordvane {

class App;

// Of several list hotkeys with the same combination only the lowest index is
// enabled.
void setEnableHotkey(App& app);

// Registers the popup-menu hotkey and the list hotkeys of the lists in use.
void setShowHotKey(App& app);

// Releases the list hotkeys; the popup-menu hotkey stays.
void deleteShowHotKey(App& app);

// Releases the popup-menu hotkey (at shutdown).
void deletePopupHotKey(App& app);

// Stores a list hotkey's combination; registers nothing.
void setHotKeyNumber(App& app, int16_t index, int32_t prePushHotKey, int16_t pushedKey);

// Replaces the popup-menu hotkey.
void changePopupHotkey(App& app, int32_t shifts, int16_t keyCode);

// Hotkey messages on Form1's window reach the dispatch only while hooked.
void hookWindow(App& app, WindowHandle window);
void unhookWindow(App& app, WindowHandle window);

}  // namespace wordvane
