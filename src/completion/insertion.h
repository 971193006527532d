#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "completion/key_reader.h"
#include "platform/platform.h"
#include "ui/controls.h"

namespace wordvane {

// Typing into the foreground application through the clipboard: Form2's
// side of an insertion, and its timer that gives the user's clipboard text
// back 300 ms later.
class Insertion {
  public:
    Insertion(Platform& platform, const KeyReader& keys, ui::Timer& restoreTimer);

    // Types `text` into the foreground application: puts it on the clipboard,
    // deletes the `replaced` characters before the caret and sends the paste
    // keystroke; the user's clipboard text comes back 300 ms later. While an
    // earlier insertion's restore is still pending, the text saved by that
    // insertion stays the one to restore. When the clipboard cannot be
    // written, nothing is sent and the result is false.
    bool clipInsert(const std::u16string& text, int16_t replaced = 0);

    // Form2's timer: puts the user's clipboard back, every format, unless the
    // user copied something else in the meantime.
    void restoreClipboard();

    // The user's clipboard has not come back yet after an insertion.
    bool restorePending() const { return restoreTimer_.enabled(); }

    // Deletes `count` characters before the caret (Left, then Delete).
    void setBackSpace(int16_t count);

  private:
    // The clipboard still holds what the last insertion put there.
    bool clipboardStillOurs();
    void addPaste(std::vector<KeyStroke>& keys) const;

    Platform& platform_;
    const KeyReader& keys_;
    ui::Timer& restoreTimer_;
    // The user's clipboard, every format, while its restore is pending.
    std::optional<ClipboardSnapshot> savedClipboard_;
    std::u16string insertedText_;
    uint32_t changeCountAfterInsert_ = 0;
};

// Puts everything a saved clipboard held back on the clipboard, trying a few
// times while another program holds it open.
void giveBackClipboard(Platform& platform, const ClipboardSnapshot& saved);

// A file path or a web address: longer than two characters, no CR LF, and a
// drive path ("C:\"), a path beginning with "\" or an "http://" address.
bool checkLink(const std::u16string& text);

}  // namespace wordvane
