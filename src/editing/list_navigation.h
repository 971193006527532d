#pragma once

namespace wordvane {

class App;

// Selection moves of the shown candidate list: a single step wraps around,
// a page (15 lines) stops at the ends. Nothing happens while it is hidden.
void listMoveUp(App& app);
void listMoveDown(App& app);
void listMoveRollup(App& app);
void listMoveRollDown(App& app);

}  // namespace wordvane
