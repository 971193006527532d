#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "completion/completion.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"
#include "ui/notice.h"

namespace wordvane {

// Series paste: a run of consecutive list items goes to the clipboard one at
// a time, the next one each time the user pastes with Ctrl+V or
// Shift+Insert; a notice at the pointer counts the pastes left. The user's
// clipboard comes back when the run ends; a copy of the user's during the
// run ends it and stays on the clipboard.
class SeriesPaste {
  public:
    SeriesPaste(Platform& platform, const Lists& lists, Completion& completion, ui::Form1& form1,
                ui::Notice& notice);

    // "連続貼り付け": from the selected item up to the top of the list.
    void mnuClipSeriese_Click();
    // Insert on the shown list: the first press marks the first item, the
    // second the last.
    void SeriesePaste();
    // The main tick's part, with the key it read: one paste keystroke
    // advances the run once.
    void tick(const std::u16string& spelling, bool ctrlDown);

    bool active() const { return active_; }

  private:
    int16_t stopIndex() const;
    // A separator or an empty slot of the history: never part of a run.
    bool isPassedOver(int16_t index) const;
    std::optional<std::u16string> itemText(int16_t index) const;
    // Puts the run's next item on the clipboard; false (the run ended with a
    // notice) when that item is gone or cannot be put.
    bool putNext();
    void startRun();
    void closeList();
    // The run ends; the user's clipboard comes back unless someone else has
    // put something there since the run's last item.
    void finish();
    void endWithNotice(const char16_t* notice);
    void doSeriesPaste();

    Platform& platform_;
    const Lists& lists_;
    Completion& completion_;
    ui::Form1& form1_;
    ui::Notice& notice_;

    bool active_ = false;
    bool pasteKeyArmed_ = false;
    bool pastePending_ = false;  // a paste key went down; the step waits for it to go up
    int16_t list_ = 0;
    int16_t word_ = -1;
    int16_t start_ = -1;
    int16_t end_ = -1;
    int16_t step_ = -1;
    // The indices of the run's items in order, and how many went out.
    std::vector<int16_t> items_;
    size_t putCount_ = 0;
    // The user's clipboard from before the run, and the change count of the
    // clipboard holding the run's item.
    std::optional<ClipboardSnapshot> userClipboard_;
    uint32_t ourChangeCount_ = 0;
};

}  // namespace wordvane
