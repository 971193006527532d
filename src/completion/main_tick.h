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
// completion logic.
class MainTick {
  public:
    MainTick(Platform& platform, KeyReader& keys, Completion& completion, Insertion& insertion,
             Modes& modes, ClipboardCapture& capture, ui::Notice& notice, const ui::ModeMenu& menu,
             const ui::Window& addWordDialog);

    // What the resident parts do on every tick: the text window's pop-up
    // time, the text-transform menu's copy, the saves after a change.
    std::function<void()> residentTick;
    // A running series paste, with the key this tick read.
    std::function<void(const std::u16string& spelling, bool ctrlDown)> seriesTick;

    void Timer1_Timer();

  private:
    Platform& platform_;
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
