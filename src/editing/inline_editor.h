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
// description of the selected entry. Edit mode pauses only the key reading
// for completion: copies are captured and changes saved meanwhile, and the
// list hotkeys work. It ends with 登録, キャンセル, a double click, or when
// the list hides or changes, which asks before it writes what was typed.
class InlineEditor {
  public:
    InlineEditor(Platform& platform, ui::Form1& form1, HotKeys& hotkeys, Lists& lists,
                 Completion& completion);

    // A key pressed in the editor: edit mode begins on the selected entry,
    // and the navigation keys reach the editor.
    void Text1_KeyDown(int16_t keyCode, int16_t shift);
    void Command1_Click();  // 登録
    void Command2_Click();  // キャンセル
    void Text1_DblClick();
    // A line of List1 was clicked (before its description shows).
    void List1_Click();
    // The list hid or changed: edit mode ends; a changed text is written
    // when the user says so.
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
    // The entry the edit began on, its description then, and what the user
    // made of it.
    std::optional<EntryRef> editing_;
    std::u16string originalText_;
    std::u16string editedText_;
};

}  // namespace wordvane
