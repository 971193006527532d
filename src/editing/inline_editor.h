#pragma once

#include <cstdint>
#include <optional>

#include "completion/completion.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"

namespace wordvane {

// The candidate window's own editor (Text1), where the user edits the
// description of the selected entry. Edit mode stops the main tick; it ends
// with 登録, キャンセル, a double click, or whenever the list hides or
// changes, so the program never stays deaf.
class InlineEditor {
  public:
    InlineEditor(Platform& platform, ui::Form1& form1, HotKeys& hotkeys, Lists& lists,
                 Completion& completion);

    // A key pressed in the editor: edit mode begins on the selected entry,
    // the navigation keys reach the editor and the main tick stops.
    void Text1_KeyDown(int16_t keyCode, int16_t shift);
    void Command1_Click();  // 登録
    void Command2_Click();  // キャンセル
    void Text1_DblClick();
    // A line of List1 was clicked (before its description shows).
    void List1_Click();
    // The list hid or changed: edit mode ends, the typed text is dropped.
    void endEditMode();

    bool editing() const { return editing_.has_value(); }

  private:
    void leaveEditMode();
    bool writeBack();

    Platform& platform_;
    ui::Form1& form1_;
    HotKeys& hotkeys_;
    Lists& lists_;
    Completion& completion_;
    // The entry the edit began on.
    std::optional<EntryRef> editing_;
};

}  // namespace wordvane
