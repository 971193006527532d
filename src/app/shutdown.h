#pragma once

namespace wordvane {

class App;

// The tray menu's "終了".
void mnuExit_Click(App& app);

// The whole shutdown, on any closing of Form1; ends the process.
void Form_QueryUnload(App& app);

}  // namespace wordvane
