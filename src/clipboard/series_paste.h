#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "completion/completion.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"
#include "ui/notice.h"

namespace wordvane {

// Series paste: a run of consecutive list items goes to the clipboard one at
// a time, the next one each time the user pastes with Ctrl+V or
// Shift+Insert; a notice at the pointer counts the pastes left.
class SeriesPaste {
  public:
    SeriesPaste(Platform& platform, const Lists& lists, Completion& completion, ui::Form1& form1,
                ui::Window& launcherBox, ui::Notice& notice);

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
    bool isSeparator(int16_t index) const;
    std::optional<std::u16string> itemText(int16_t index) const;
    // Puts item `current_` on the clipboard; false (the run ended with a
    // notice) when that item is not there or cannot be put.
    bool putCurrent();
    void advance();
    void startRun();
    void closeList();
    void endWithNotice();
    void doSeriesPaste();

    Platform& platform_;
    const Lists& lists_;
    Completion& completion_;
    ui::Form1& form1_;
    ui::Window& launcherBox_;
    ui::Notice& notice_;

    bool active_ = false;
    bool pasteKeyArmed_ = false;
    bool pastePending_ = false;  // a paste key went down; the step waits for it to go up
    int16_t list_ = 0;
    int16_t word_ = -1;
    int16_t start_ = -1;
    int16_t end_ = -1;
    int16_t step_ = -1;
    int16_t current_ = 0;
};

}  // namespace wordvane
