#include "editing/word_dialogs.h"

#include "lists/one_line_text.h"
#include "platform/foreground_keeper.h"
#include "ui/message_box.h"
#include "ui/placement.h"

namespace wordvane {

namespace {

constexpr size_t kMaxNameLength = 1023;  // characters
constexpr char16_t kMoved[] =
    u"対象の項目が移動または変更されたため、登録できません。\r\nもう一度選択してください";

}  // namespace

WordDialogs::WordDialogs(Platform& platform, Lists& lists, Completion& completion, ui::Forms& forms)
    : platform_(platform), lists_(lists), completion_(completion), forms_(forms) {
    forms_.form5.Command1.onClick = [this] { Form5_Command1_Click(); };
    forms_.form5.Command2.onClick = [this] { Form5_Command2_Click(); };
    forms_.form5.onClose = [this] { Form5_Command2_Click(); };
    forms_.form3.Command1.onClick = [this] { Form3_Command1_Click(); };
    forms_.form3.Command2.onClick = [this] { Form3_Command2_Click(); };
    forms_.form3.onClose = [this] { Form3_Command2_Click(); };
}

// The list's place (at the caret, or where it was last): the dialogs of its
// entries open on that monitor.
Point WordDialogs::listPlace() {
    const Rect list = ui::pixelRect(forms_.form1, platform_);
    return Point{list.left, list.top};
}

void WordDialogs::mnuChangeWordMenu_Click() {
    completion_.hideHelperWindows();
    renaming_ = completion_.selectedRef();
    if (!renaming_) {
        return;
    }
    forms_.form5.RichTextBox1.setText(renaming_->name);
    ui::openDialog(forms_.form5, platform_, listPlace(), forms_.form5.RichTextBox1);
    completion_.endCycle();
}

void WordDialogs::Form5_Command1_Click() {
    const std::u16string& text = forms_.form5.RichTextBox1.text();
    if (text.size() > kMaxNameLength) {
        showMessage(platform_, u"文章が長すぎます。短くしてください", kMbIconExclamation);
        return;
    }
    if (showMessage(platform_, u"変更してよろしいですか？", kMbYesNo) != kIdYes) {
        return;
    }
    if (!renaming_ || !lists_.holds(*renaming_)) {
        showMessage(platform_, kMoved, kMbIconExclamation);
        return;
    }
    lists_.words(renaming_->list)
        .changeName(renaming_->word, renaming_->element, getChangedLine2(text));
    lists_.markChanged(renaming_->list);
    renaming_.reset();
    forms_.form5.setVisible(false);
}

void WordDialogs::Form5_Command2_Click() {
    renaming_.reset();
    forms_.form5.setVisible(false);
}

void WordDialogs::doAddItem() {
    completion_.hideHelperWindows();
    addList_ = completion_.currentList();
    const WordListClass& words = lists_.words(addList_);
    std::vector<std::u16string> lines{u"新しい単語"};
    addTargets_.clear();
    for (int w = 0; w <= words.getWordLength(); ++w) {
        addTargets_.push_back(lists_.entry(addList_, static_cast<int16_t>(w), 0));
        lines.push_back(addTargets_.back().name);
    }
    ui::Form3& form3 = forms_.form3;
    form3.List1.setItems(std::move(lines));
    completion_.form_visible(false);
    form3.Text1.setText(getChangedLine2(platform_.clipboardText().value_or(u"")));
    form3.Text2.setText(u"");
    setWindowSize(lists_.listDisplaySize[static_cast<size_t>(addList_)]);
    form3.List1.setListIndex(0);
    ui::openDialog(form3, platform_, listPlace(), form3.Text1);
}

void WordDialogs::Form3_Command1_Click() {
    ui::Form3& form3 = forms_.form3;
    const int16_t line = form3.List1.listIndex();
    if (line < 0) {
        showMessage(platform_, u"登録先をリストから選択してください", kMbIconExclamation);
        return;
    }
    const std::u16string& name = form3.Text1.text();
    const std::u16string question =
        line == 0 ? u"「" + name + u"」を新しい単語として追加します。よろしいですか？"
                  : u"「" + name + u"」を「" + form3.List1.items()[static_cast<size_t>(line)] +
                        u"」の下に新しく追加します。よろしいですか？";
    if (showMessage(platform_, question, kMbYesNo) != kIdYes) {
        return;
    }
    // The dialog adds to the list it was opened for, whichever list is shown
    // now; the word chosen must still be the one the dialog showed.
    const bool moved = line > 0 && (static_cast<size_t>(line) > addTargets_.size() ||
                                    !lists_.holds(addTargets_[static_cast<size_t>(line - 1)]));
    if (moved) {
        showMessage(platform_, kMoved, kMbIconExclamation);
        return;
    }
    if (!lists_.addWord(addList_, static_cast<int16_t>(line - 1), name, form3.Text2.text())) {
        showMessage(platform_, kListFullMessage, kMbIconExclamation);
        return;
    }
    Form3_Command2_Click();
}

void WordDialogs::Form3_Command2_Click() {
    forms_.form3.setVisible(false);
    forms_.form3.List1.clear();
    addTargets_.clear();
}

void WordDialogs::setWindowSize(int16_t index) {
    struct Layout {
        int32_t width, height, textWidth, textHeight, buttonTop, command1Left, command2Left;
    };
    constexpr Layout kLayouts[] = {
        {5805, 4230, 2800, 730, 3400, 3000, 4320},
        {5805, 4800, 2800, 2760, 3960, 3000, 4320},
        {8640, 4800, 5600, 2760, 3960, 5880, 7200},
    };
    if (index < 0 || index > 2) {
        return;
    }
    const Layout& layout = kLayouts[index];
    ui::Form3& form3 = forms_.form3;
    form3.setWidth(layout.width);
    form3.setHeight(layout.height);
    form3.Text2.setWidth(layout.textWidth);
    form3.Text2.setHeight(layout.textHeight);
    form3.Command1.setTop(layout.buttonTop);
    form3.Command1.setLeft(layout.command1Left);
    form3.Command2.setTop(layout.buttonTop);
    form3.Command2.setLeft(layout.command2Left);
}

}  // namespace wordvane
