#pragma once

#include <string>

#include "lists/lists.h"
#include "lists/message.h"
#include "platform/platform.h"

namespace wordvane {

// "Launch.txt", "ClipBoad.txt", "WordList1.txt" .. "WordList5.txt".
std::u16string listFileName(int list);

struct ListFilesOutcome {
    // What start-up shows, in order.
    Messages messages;
    // The launcher or the clipboard list could not be read: the program ends
    // without saving anything.
    bool fatal = false;
};

// Reads the seven list files of `folder` into `lists`, in list order. Reading
// stops at the first list that fails; `lists.loadedListCount` counts the lists
// read completely before it.
ListFilesOutcome readListFiles(Platform& platform, const std::u16string& folder, Lists& lists);

// Writes list `list` to `path` in the list-file layout, in the way `form`
// says (the list's own file: `lists.fileForms[list]`).
TextSave writeListFile(Platform& platform, const Lists& lists, int list, const std::u16string& path,
                       TextFileForm& form);
// The bytes writeListFile writes, or none when the file is left alone.
std::optional<std::string> listFileSaveBytes(const Lists& lists, int list, TextFileForm& form);
// Where the changes of a list go whose own file start-up could not read
// whole ("WordList1_未保存.txt").
std::u16string unsavedCopyName(int list);

}  // namespace wordvane
