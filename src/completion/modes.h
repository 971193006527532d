#pragma once

#include <cstdint>

#include "completion/completion.h"
#include "completion/insertion.h"
#include "completion/key_reader.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"

namespace wordvane {

// Support modes: which list the completion works on, chosen with Home and
// End while the list is shown (announced by the balloon, Form7), from the
// mode menu, or switched off with "補完OFF". Also the double-Ctrl selection
// that the main tick drives.
class Modes {
  public:
    Modes(Platform& platform, ui::Form1& form1, ui::Form7& balloon, const Lists& lists,
          HotKeys& hotkeys, Completion& completion, Insertion& insertion, const KeyReader& keys);

    // Start-up: cuts the balloon's speech-bubble shape.
    void loadBalloon();

    // Home and End: one mode back or forward among the loaded, enabled lists,
    // wrapping around.
    void setBackMode();
    void setNextMode();
    // The mode menu: choosing a mode also switches completion back on.
    void mnuMode_Click(int16_t index);
    void mnuOff_Click();

    // The main tick's part: the balloon's countdown, and the double-Ctrl
    // detector with its selection keystrokes.
    void countDownBalloon();
    void doubleCtrlTick();

    int16_t balloonTicks() const { return balloonTicks_; }
    // No balloon counts down and no double Ctrl is under way.
    bool atRest() const {
        return balloonTicks_ == 0 && !ctrlArmed_ && !selectionPending_ && !ownKeysSent_;
    }

  private:
    enum class Direction { Back, Next };
    void changeMode(Direction direction);
    int16_t neighbourMode(Direction direction) const;
    bool selectable(int list) const;
    void checkMode(int16_t list);
    void placeBalloon();
    // A press of Ctrl that completes a double press.
    bool doubleControll();
    void sendSelectionKeys();

    Platform& platform_;
    ui::Form1& form1_;
    ui::Form7& balloon_;
    const Lists& lists_;
    HotKeys& hotkeys_;
    Completion& completion_;
    Insertion& insertion_;
    const KeyReader& keys_;

    int16_t balloonTicks_ = 0;
    // Double Ctrl: ticks since the first press, a first press was seen, Ctrl
    // at the previous tick, a selection has begun, keys waiting for Ctrl up.
    int16_t ctrlWaitCount_ = 0;
    bool ctrlArmed_ = false;
    bool lastCtrlDown_ = false;
    bool doubleCtrlSelecting_ = false;
    bool selectionPending_ = false;
    bool ownKeysSent_ = false;
};

}  // namespace wordvane
