#pragma once

#include <cstdint>
#include <optional>

#include "completion/completion.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"

namespace wordvane {

// The rename dialog (Form5) and the add-word dialog (Form3). Each remembers
// the list and the entry it was opened on, works on that list whichever list
// is shown meanwhile, and refuses, keeping the user's text, when the chosen
// entry has moved or changed by the time the user confirms.
class WordDialogs {
  public:
    WordDialogs(Platform& platform, Lists& lists, Completion& completion, ui::Forms& forms);

    // "名前の変更" on the shown list.
    void mnuChangeWordMenu_Click();
    void Form5_Command1_Click();  // OK(&V)
    void Form5_Command2_Click();  // キャンセル(&X)

    // "追加" or Shift+Insert: the add-word dialog for the current list.
    void doAddItem();
    void Form3_Command1_Click();  // 登録(&V)
    void Form3_Command2_Click();  // キャンセル(&X)
    void setWindowSize(int16_t index);

  private:
    Point listPlace();

    Platform& platform_;
    Lists& lists_;
    Completion& completion_;
    ui::Forms& forms_;
    std::optional<EntryRef> renaming_;
    // The list the add-word dialog was filled from, and the word of each of
    // its lines after "新しい単語".
    int addList_ = -1;
    std::vector<EntryRef> addTargets_;
};

}  // namespace wordvane
