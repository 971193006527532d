#pragma once

#include <string>

#include "lists/list_file_format.h"

namespace wordvane {

class App;

// Marker paths of saveFile that select the two special lists.
inline constexpr char16_t kSaveLauncherMarker[] = u"launch\r\nlaunch";
inline constexpr char16_t kSaveClipboardMarker[] = u"clip\r\nclip";

// "Launch.txt", "ClipBoad.txt", "WordList1.txt" .. "WordList5.txt".
std::u16string listFileName(int list);

ListHeader listHeaderOf(App& app, int list);

// Reads the seven list files at start-up. A fatal error (launcher or
// clipboard list unreadable) closes Form1, which ends the process.
void setWordList(App& app);

// Writes the current list to `pathName`, or a special list for one of the
// two markers (which also makes it the current list); `pathName` becomes the
// resolved path. False when the file could not be written; the old file is
// then left as it was.
bool saveFile(App& app, std::u16string& pathName);

// Writes list `list` to `path` in the list-file layout.
bool writeListFile(App& app, int list, const std::u16string& path);

// The list menu's "保存": saves the current list under a name the user chooses.
void mnuSave_Click(App& app);

// The message shown when a list or the settings file could not be saved.
std::u16string saveFailedMessage(const std::u16string& fileName);

}  // namespace wordvane
