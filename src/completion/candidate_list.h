#pragma once

#include <cstdint>

namespace wordvane {

class App;

// Rebuilds List1 for the current level and abbreviation, then shows the
// window, or opens a word that the abbreviation matches exactly.
void showList(App& app);

// The word (wordIndex -1) or the element of word `wordIndex` whose name is
// the selected line of List1; 0 when none is.
int16_t getCorrespondIndex(App& app, int16_t wordIndex);

// Closes word `index` again when it has no candidates.
void checkElement(App& app, int16_t index);

// Shows (true) or hides (false) the candidate window without taking the focus;
// the navigation hotkeys are registered exactly while it is shown.
void form_visible(App& app, bool visible);

// Opens the current list at once (a list hotkey or the tray icon).
void forcedShowList(App& app);

// Moves the candidate window to the caret or the mouse pointer.
void setWindowPosision(App& app);

// Lays the candidate window out for the current list's display size.
void setWindowSize(App& app);

}  // namespace wordvane
