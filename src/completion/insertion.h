#pragma once

#include <cstdint>
#include <string>

namespace wordvane {

class App;

// Form2's state between an insertion and the restore of the clipboard.
struct InsertionState {
    std::u16string savedClipboardText;
    std::u16string insertedText;
    uint32_t changeCountAfterInsert = 0;
};

// Types `text` into the foreground application: puts it on the clipboard,
// sends the paste keystroke and has Form2's timer restore the user's
// clipboard text 300 ms later.
void clipInsert(App& app, const std::u16string& text);

// Form2's timer: puts the saved clipboard text back, unless the user copied
// something else in the meantime.
void restoreClipboard(App& app);

// Deletes `count` characters before the caret (Left, then Delete).
void setBackSpace(App& app, int16_t count);

// Puts `text` on the clipboard, checking and retrying; nothing for an empty text.
void setClip(App& app, const std::u16string& text);

// A file path or a web address: longer than two characters, no CR LF, and a
// drive path ("C:\"), a path beginning with "\" or an "http://" address.
bool checkLink(const std::u16string& text);

}  // namespace wordvane
