#pragma once

#include <string>

namespace wordvane {

class App;

inline constexpr char16_t kSettingsFileName[] = u"vane.ini";

// Reads vane.ini at start-up into the settings, the hotkeys, the text
// window's opacity and the replacement sets. On failure it shows its message
// and ends the process; then it returns false.
bool readInitialFile(App& app);

// Writes vane.ini from the current values. False when it could not be
// written; the old file is then left as it was.
bool saveIniFile(App& app);

// Writes the settings as saveIniFile does, to `path`.
bool writeSettingsFile(App& app, const std::u16string& path);

}  // namespace wordvane
