#pragma once

#include <cstdint>

namespace wordvane {

class App;

// The main tick: reads the newly pressed key and runs the periodic work in
// its fixed order, then hands the key to the completion logic.
void Timer1_Timer(App& app);

// A key pressed in the candidate window's own editor: edit mode begins and the
// main tick stops until it ends.
void Text1_KeyDown(App& app, int16_t keyCode, int16_t shift);

}  // namespace wordvane
