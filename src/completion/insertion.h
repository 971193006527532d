#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"
#include "platform/virtual_keys.h"
#include "ui/controls.h"

namespace wordvane {

// Typing into the foreground application through the clipboard: Form2's
// side of an insertion, and its timer that gives the user's clipboard text
// back 300 ms later.
class Insertion {
  public:
    Insertion(Platform& platform, ui::Timer& restoreTimer);

    // Types `text` into the foreground application: puts it on the clipboard,
    // deletes the `replaced` characters before the caret and sends the paste
    // keystroke, once the user has let go of Shift, Ctrl, Alt and Windows (at
    // most a second later); the user's clipboard text comes back 300 ms after
    // the keys. While an earlier insertion's restore is still pending, the
    // text saved by that insertion stays the one to restore. While the
    // application has not yet read the earlier insertion's text, this one
    // waits for it (or for its three seconds), so that both arrive in order.
    // When the clipboard cannot be written, nothing is sent and the result
    // is false.
    bool clipInsert(const std::u16string& text, int16_t replaced = 0);
    // The main tick's part: keys waiting for the modifiers go out, and a
    // waiting insertion starts once the one before it was read.
    void tick();
    // Before the program ends: the insertion under way and those waiting go
    // out, each read by the application (at most three seconds each), and
    // the user's clipboard comes back. Nothing else of the program runs
    // meanwhile.
    void finish();
    // Keys went out since the last call: the next poll finds them pressed.
    bool takeKeysSent();

    // Form2's timer: puts the user's clipboard back, every format, unless the
    // user copied something else in the meantime, once the application has
    // taken the inserted text (or a few seconds passed).
    void restoreClipboard();

    // The user's clipboard has not come back yet after an insertion.
    bool restorePending() const {
        return restoreTimer_.enabled() || waiting_.has_value() || !queued_.empty();
    }
    // No insertion is under way: no keys wait, none went out unseen, no
    // restore is pending.
    bool atRest() const { return !restorePending() && !keysSent_; }

    // Deletes `count` characters before the caret (Left, then Delete).
    void setBackSpace(int16_t count);

  private:
    struct Waiting {
        int16_t replaced;
        WindowHandle target;
        uint64_t since;
    };
    struct Queued {
        std::u16string text;
        int16_t replaced;
    };
    bool start(const std::u16string& text, int16_t replaced);
    // The clipboard still holds what the last insertion put there.
    bool clipboardStillOurs();
    // The application has not read the last insertion's text yet, and its
    // three seconds are not over.
    bool pasteUnread();
    bool modifiersHeld();
    void restoreNow();
    void addPaste(std::vector<KeyStroke>& keys, WindowHandle target);
    bool sendKeys();

    Platform& platform_;
    ui::Timer& restoreTimer_;
    // The user's clipboard, every format, while its restore is pending.
    std::optional<ClipboardSnapshot> savedClipboard_;
    uint32_t changeCountAfterInsert_ = 0;
    // An insertion whose keys wait for the user's modifier keys to go up.
    std::optional<Waiting> waiting_;
    // Insertions that wait for the application to read the one before.
    std::deque<Queued> queued_;
    bool keysSent_ = false;
    uint64_t keysSentAt_ = 0;
};

// A terminal that pastes on Shift+Insert, not on Ctrl+V, by the class of its
// window (mintty, PuTTY, KiTTY). The console and Windows Terminal take Ctrl+V.
bool pastesWithShiftInsert(std::u16string_view windowClass);

// Puts everything a saved clipboard held back on the clipboard, trying a few
// times while another program holds it open.
void giveBackClipboard(Platform& platform, const ClipboardSnapshot& saved);

// A file path or a web address: longer than two characters, no CR LF, and a
// drive path ("C:\"), a path beginning with "\" or an "http://" address.
bool checkLink(const std::u16string& text);

}  // namespace wordvane
