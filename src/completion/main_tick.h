#pragma once

#include <functional>

#include "clipboard/clipboard_capture.h"
#include "completion/completion.h"
#include "completion/key_reader.h"
#include "completion/modes.h"
#include "platform/platform.h"
#include "ui/forms.h"
#include "ui/notice.h"

namespace wordvane {

// The main tick (Form1's 1 ms timer): reads the newly pressed key and runs
// the periodic work in its fixed order, then hands the key to the
// completion logic. When no part of it can act before an event comes (no
// key moved or is held, nothing shown that counts ticks, nothing pending),
// the timer sleeps, and `wake` on the next event starts it again; the ticks
// it leaves out are ticks in which nothing would have happened.
class MainTick {
  public:
    MainTick(Platform& platform, ui::Timer& timer, KeyReader& keys, Completion& completion,
             Insertion& insertion, Modes& modes, ClipboardCapture& capture, ui::Notice& notice,
             const ui::ModeMenu& menu, const ui::Window& addWordDialog);

    // What the resident parts do on every tick: the text window's pop-up
    // time, the text-transform menu's copy, the saves after a change.
    std::function<void()> residentTick;
    // A running series paste, with the key this tick read.
    std::function<void(const std::u16string& spelling, bool ctrlDown)> seriesTick;
    // Those parts have nothing under way: no pop-up counting down, no copy,
    // paste or series paste going on, no change waiting to be saved.
    std::function<bool()> othersAtRest;
    // The user edits a description in the list: the keys are not read for
    // completion, and the list neither follows the foreground nor moves.
    std::function<bool()> editingDescription;
    // A text box of the program has the keyboard (a search, the launcher's
    // filter): a key read by polling was typed there, not in the application.
    std::function<bool()> keyboardInOwnBox;

    void Timer1_Timer();
    // An event came: the tick runs again if it slept.
    void wake() { timer_.wake(); }

  private:
    void work();
    bool nothingCanHappen();

    Platform& platform_;
    ui::Timer& timer_;
    KeyReader& keys_;
    Completion& completion_;
    Insertion& insertion_;
    Modes& modes_;
    ClipboardCapture& capture_;
    ui::Notice& notice_;
    const ui::ModeMenu& menu_;
    const ui::Window& addWordDialog_;
};

}  // namespace wordvane
