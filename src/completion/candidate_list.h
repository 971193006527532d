#pragma once

namespace wordvane {

class App;

// Sizes the candidate window for the current list's display size.
void setWindowSize(App& app);
// Shows (true) or hides (false) the candidate window without taking the focus.
void form_visible(App& app, bool visible);
// Shows the whole current list at once.
void forcedShowList(App& app);

}  // namespace wordvane
