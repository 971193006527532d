#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "lists/message.h"
#include "lists/settings.h"
#include "lists/text_file.h"
#include "platform/platform.h"

namespace wordvane {

inline constexpr char16_t kSettingsFileName[] = u"vane.ini";

// A hotkey's combination as vane.ini keeps it: modifier flags (Alt 1,
// Control 2, Shift 4, Windows 8) and a virtual-key code.
struct HotKeyCombination {
    int32_t modifiers = 0;
    int16_t key = 0;
};

// A replacement set as its vane.ini line holds it: name, before, after.
using ReplaceSetFields = std::array<std::u16string, 3>;

// Everything vane.ini holds. Reading fills it for the subsystems that own
// each value; writing gathers it from them.
struct SettingsFileContent {
    Settings settings;
    // The text window's opacity in percent (line 12); empty when the line
    // was above 100, which leaves the text window's setting as it was.
    std::optional<int16_t> opacity;
    HotKeyCombination popupHotKey;
    std::array<HotKeyCombination, 7> listHotKeys{};
    std::vector<ReplaceSetFields> replaceSets;
};

struct SettingsReadOutcome {
    // Empty when the file could not be read: the program does not start.
    std::optional<SettingsFileContent> content;
    // The corrections made while reading, then the failure, in order.
    Messages messages;
    // How the file was read, so that it is written back the same way.
    TextFileForm form;
};

// Reads vane.ini at `path`; widths in pixels become twips at `scale`, and
// are written back in pixels at the same scale.
SettingsReadOutcome readSettingsFile(Platform& platform, const std::u16string& path,
                                     PixelScale scale);

// The lines of vane.ini for `content`, and the file written in the way
// `form` says.
std::vector<std::u16string> settingsFileLines(const SettingsFileContent& content);
TextSave writeSettingsFile(Platform& platform, const std::u16string& path,
                           const SettingsFileContent& content, TextFileForm& form);

}  // namespace wordvane
