#pragma once

namespace wordvane {

class App;

// Start-up, run once when Form1 is created. True when the program is resident;
// false when start-up ended the process (another instance, unreadable settings
// or a fatal list-file error).
bool Form_Load(App& app);

}  // namespace wordvane
