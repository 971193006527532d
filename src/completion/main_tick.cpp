#include "completion/main_tick.h"

namespace wordvane {

MainTick::MainTick(Platform& platform, KeyReader& keys, Completion& completion,
                   const ui::Window& addWordDialog, const ui::MenuItem& completionOff)
    : platform_(platform),
      keys_(keys),
      completion_(completion),
      addWordDialog_(addWordDialog),
      completionOff_(completionOff) {}

void MainTick::Timer1_Timer() {
    // While the add-word dialog is open the program does nothing at all.
    if (addWordDialog_.visible()) {
        return;
    }
    std::u16string spelling = keys_.getPushedSpell(platform_);
    if (completion_.takeSkipNextKey()) {
        spelling.clear();
    }
    if (completionOff_.checked()) {
        spelling.clear();
    }
    if (completion_.reshowIfPending()) {
        return;
    }
    completion_.handleTickKey(spelling);
}

}  // namespace wordvane
