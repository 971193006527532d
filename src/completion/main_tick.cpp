#include "completion/main_tick.h"

namespace wordvane {

MainTick::MainTick(Platform& platform, ui::Timer& timer, KeyReader& keys, Completion& completion,
                   Insertion& insertion, Modes& modes, ClipboardCapture& capture,
                   ui::Notice& notice, const ui::ModeMenu& menu, const ui::Window& addWordDialog)
    : platform_(platform),
      timer_(timer),
      keys_(keys),
      completion_(completion),
      insertion_(insertion),
      modes_(modes),
      capture_(capture),
      notice_(notice),
      menu_(menu),
      addWordDialog_(addWordDialog) {}

void MainTick::Timer1_Timer() {
    // While the add-word dialog is open the program does nothing at all; a
    // click or key in it wakes the tick.
    if (addWordDialog_.visible()) {
        timer_.sleep();
        return;
    }
    work();
    completion_.announceSelection();
    if (nothingCanHappen()) {
        timer_.sleep();
    }
}

// Asked after a tick's work, so that what it started counts. The platform is
// asked last, as it makes sure that the next key will be heard.
bool MainTick::nothingCanHappen() {
    return keys_.atRest() && completion_.atRest() && insertion_.atRest() && modes_.atRest() &&
           !notice_.shown() && capture_.atRest() && (!othersAtRest || othersAtRest()) &&
           platform_.listensForKeys();
}

void MainTick::work() {
    const bool editing = editingDescription && editingDescription();
    std::u16string spelling = keys_.getPushedSpell(platform_);
    if (editing || (!spelling.empty() && !keys_.readsRecordedPresses() && keyboardInOwnBox &&
                    keyboardInOwnBox())) {
        spelling.clear();  // typed into the description or one of our boxes
    }
    if (menu_.mnuClipDuplicate.checked() &&
        ((spelling == u"c" && keys_.ctrlDown()) || spelling == u"Shiftdelete")) {
        capture_.keepDuplicateOnce();
    }
    // A copy made while the history itself is edited waits for the edit's
    // end, so that no entry moves under it.
    if (!editing || completion_.currentList() != kClipboardList) {
        capture_.tick();
    }
    // The keys of the program's own insertion, found pressed by this poll
    // (never among the recorded presses).
    const bool ownKeys = insertion_.takeKeysSent();
    if ((completion_.takeSkipNextKey() || ownKeys) && !keys_.readsRecordedPresses()) {
        spelling.clear();
    }
    insertion_.tick();
    if (menu_.mnuOff.checked()) {
        spelling.clear();
    }
    // The foreground matters only to a key or to a shown list; an idle tick
    // does not ask for it.
    if ((!spelling.empty() || completion_.listShown()) && !editing &&
        completion_.followForeground()) {
        spelling.clear();  // an elevated application takes none of our keys
    }
    modes_.countDownBalloon();
    if (residentTick) {
        residentTick();
    }
    notice_.tick();
    if (editing) {
        return;  // the list stays as the user left it until 登録 or キャンセル
    }
    if (completion_.reshowIfPending()) {
        return;
    }
    if (seriesTick) {
        seriesTick(spelling, keys_.ctrlDown());
    }
    modes_.doubleCtrlTick();
    if (keys_.spelledWithCommandKey()) {
        // Ctrl+C, Ctrl+N, Alt+F: the application's shortcuts, which neither
        // extend the abbreviation nor change what an insertion erases.
        spelling.clear();
    }
    completion_.handleTickKey(spelling);
}

}  // namespace wordvane
