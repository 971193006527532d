#pragma once

#include <optional>
#include <string>

#include "completion/completion.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"

namespace wordvane {

// The commands on the shown list: the list menu of List1's right button,
// deleting an item and moving a clipboard entry to the storage (with their
// hotkeys), saving the list, and a click on a line.
class ListCommands {
  public:
    ListCommands(Platform& platform, Lists& lists, Completion& completion, HotKeys& hotkeys,
                 ui::Form1& form1, ui::Window& addWordDialog);

    // "削除" and "保管庫へ移動"; true when the command ran to its end.
    bool doItemDelete();
    bool doItemStore();
    // Delete and Shift+Delete while the list is shown: the question comes up
    // in front, with the navigation keys free to answer it.
    void pushDeleteHotKey();
    void pushShiftDeleteHotKey();
    // "保存": saves the current list under a name the user chooses.
    void mnuSave_Click();

    // List1: a click shows the line's description (and sizes the large
    // display to it); the right button pops up the list menu.
    void List1_Click();
    void List1_RightButton();

    // "その他" on the clipboard list: line marks on the chosen entry's
    // stored text (the element itself at the storage's element level).
    void mnuSetKett_Click();
    void mnuSetBr_Click();

  private:
    void deleteWord(int16_t word);
    void deleteElement(int16_t word, int16_t element);
    void sizeLargeDescription();
    void markLines(std::u16string (*transform)(const std::u16string&));

    Platform& platform_;
    Lists& lists_;
    Completion& completion_;
    HotKeys& hotkeys_;
    ui::Form1& form1_;
    ui::Window& addWordDialog_;
};

}  // namespace wordvane
