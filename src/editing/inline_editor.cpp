#include "editing/inline_editor.h"

#include "platform/virtual_keys.h"
#include "ui/message_box.h"

namespace wordvane {

namespace {

constexpr const char16_t* kKeepEditQuestion = u"この内容で書き換えますか？";

// A typed character, or a key the IME takes for its composition (with the IME
// on, every typing key arrives as that).
bool isEditingKey(int16_t keyCode) {
    return keyCode == kVkProcessKey || keyCode == 16 || keyCode == 8 || keyCode == 9 ||
           keyCode == 13 || keyCode == 46 || (keyCode >= 48 && keyCode <= 57) ||
           (keyCode >= 65 && keyCode <= 90) || (keyCode >= 96 && keyCode <= 111) ||
           (keyCode >= 186 && keyCode <= 192) || (keyCode >= 219 && keyCode <= 222) ||
           keyCode == 226;
}

}  // namespace

InlineEditor::InlineEditor(Platform& platform, ui::Form1& form1, HotKeys& hotkeys, Lists& lists,
                           Completion& completion)
    : platform_(platform),
      form1_(form1),
      hotkeys_(hotkeys),
      lists_(lists),
      completion_(completion) {
    form1_.Command1.onClick = [this] { Command1_Click(); };
    form1_.Command2.onClick = [this] { Command2_Click(); };
    form1_.Text1.onDoubleClick = [this] { Text1_DblClick(); };
    // What the user typed is kept apart from the box, which shows another
    // entry's description as soon as the list changes.
    form1_.Text1.onChange = [this] {
        if (editing_) {
            editedText_ = form1_.Text1.text();
        }
    };
}

// The key reaches the handler before the box takes it: the box still shows
// the entry's own description.
void InlineEditor::Text1_KeyDown(int16_t keyCode, int16_t /*shift*/) {
    if (editing_ || !form1_.Timer1.enabled() || !isEditingKey(keyCode)) {
        return;
    }
    editing_ = completion_.selectedRef();
    if (!editing_) {
        return;  // no entry to edit
    }
    originalText_ = form1_.Text1.text();
    editedText_ = originalText_;
    hotkeys_.deleteNavigationHotKey();
    form1_.setCaption(u"編集中");
    if (completion_.displaySize() == 2) {
        const bool wide = form1_.List1.width() + form1_.Text1.width() - 150 > form1_.width();
        form1_.Command2.setLeft(form1_.width() - (wide ? 1080 : 1330));
        form1_.Command1.setLeft(form1_.width() - (wide ? 2080 : 2330));
    }
    form1_.Command1.setVisible(true);
    form1_.Command2.setVisible(true);
}

void InlineEditor::leaveEditMode() {
    editing_.reset();
    form1_.Command1.setVisible(false);
    form1_.Command2.setVisible(false);
    completion_.giveKeyboardBack(form1_.handle());
}

// The description goes to the entry the edit began on; when that entry has
// moved or changed meanwhile, nothing is written and the user is told.
bool InlineEditor::writeBack() {
    if (!lists_.holds(*editing_)) {
        showMessage(platform_, u"編集していた項目が見つかりません。書き換えられませんでした",
                    kMbIconExclamation);
        return false;
    }
    const EntryRef entry = *editing_;
    lists_.words(entry.list).changeString(entry.word, entry.element, entry.name, editedText_);
    lists_.markChanged(entry.list);
    return true;
}

void InlineEditor::Command1_Click() {
    if (!editing_ || showMessage(platform_, kKeepEditQuestion, kMbYesNo) != kIdYes ||
        !writeBack()) {
        return;
    }
    const int list = editing_->list;
    leaveEditMode();
    form1_.setVisible(false);
    completion_.form_visible(true);
    form1_.setCaption(lists_.listNames[static_cast<size_t>(list)] + u" - Wordvane");
}

// A click on another line ends the edit: its text is written into the entry
// it was typed for (when the user says so) or dropped, never carried to the
// entry of the clicked line, whose own description then shows.
void InlineEditor::List1_Click() {
    if (!editing_) {
        return;
    }
    const std::optional<EntryRef> clicked = completion_.selectedRef();
    if (clicked && clicked->word == editing_->word && clicked->element == editing_->element) {
        return;
    }
    if (showMessage(platform_, kKeepEditQuestion, kMbYesNo) == kIdYes) {
        writeBack();
    }
    Command2_Click();
}

void InlineEditor::Command2_Click() {
    if (!editing_) {
        return;
    }
    leaveEditMode();
    hotkeys_.setNavigationHotKey();
    form1_.setCaption(lists_.listNames[static_cast<size_t>(completion_.currentList())] +
                      u" - Wordvane");
}

void InlineEditor::Text1_DblClick() {
    completion_.endCycle();
    completion_.closeLauncherBox();
    endEditMode();
}

// The list changed under the edit (another list's hotkey, a double click):
// what the user typed is written only when the user says so.
void InlineEditor::endEditMode() {
    if (!editing_) {
        return;
    }
    if (editedText_ != originalText_ &&
        showMessage(platform_, kKeepEditQuestion, kMbYesNo) == kIdYes) {
        writeBack();
    }
    leaveEditMode();
}

}  // namespace wordvane
