#pragma once

#include <string>

namespace wordvane {

class App;

// The completion logic: every key spelling of the main tick, and "decide"
// from the Tab hotkey, goes through here. The arrow spellings are rewritten
// in place ("↑" to "up", ...) while the list is hidden.
void selectWord(App& app, std::u16string& spelling);

// Appends a word (index -1) or an element of word `index` to the current list.
void addWord(App& app, int16_t index, const std::u16string& name, const std::u16string& account);

}  // namespace wordvane
