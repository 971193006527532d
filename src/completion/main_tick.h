#pragma once

#include "completion/completion.h"
#include "completion/key_reader.h"
#include "platform/platform.h"
#include "ui/controls.h"

namespace wordvane {

// The main tick (Form1's 1 ms timer): reads the newly pressed key and runs
// the periodic work in its fixed order, then hands the key to the
// completion logic.
class MainTick {
  public:
    MainTick(Platform& platform, KeyReader& keys, Completion& completion,
             const ui::Window& addWordDialog, const ui::MenuItem& completionOff);

    void Timer1_Timer();

  private:
    Platform& platform_;
    KeyReader& keys_;
    Completion& completion_;
    const ui::Window& addWordDialog_;
    const ui::MenuItem& completionOff_;
};

}  // namespace wordvane
