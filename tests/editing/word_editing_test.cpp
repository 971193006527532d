#include <gtest/gtest.h>

#include <algorithm>

#include "ui/placement.h"

#include "support/completion_fixture.h"
#include "textwindow/line_marks.h"

namespace wordvane::test {
namespace {

using Items = std::vector<std::u16string>;

class WordEditingTest : public CompletionTest {
  protected:
    void SetUp() override { start(); }
    void showLine(int list, int line) {
        useList(list);
        app.completion.showList();
        app.forms.form1.List1.click(static_cast<int16_t>(line));
    }
    void typeIntoDescription(const std::u16string& text) {
        ASSERT_TRUE(user.focus(u"Text1"));
        ASSERT_TRUE(user.typeIntoField(text));
    }
};

TEST_F(WordEditingTest, TheInlineEditorWritesTheEntryItBeganOnAndEndsWithTheList) {
    user.type(u";ab");  // opens word ab: its elements apple and apricot
    user.tick(2);
    ASSERT_EQ(shownItems(), (Items{u"apple", u"apricot"}));
    app.forms.form1.List1.click(1);
    typeIntoDescription(u"!");
    EXPECT_TRUE(app.inlineEditor.editing());
    EXPECT_EQ(platform.foreground, app.forms.form1.handle()) << "the click took the keyboard";
    // Meanwhile copies are captured, and the list stays as the user left it.
    user.copy(u"copied while editing");
    user.tick(40);
    EXPECT_EQ(app.lists.words(kClipboardList).getString(2, 0, 1), u"copied while editing");
    EXPECT_EQ(app.forms.form1.Text1.text(), u"杏!");
    EXPECT_EQ(shownItems(), (Items{u"apple", u"apricot"}));
    platform.messageAnswers.push_back(kIdYes);
    app.forms.form1.Command1.click();
    EXPECT_EQ(app.lists.words(2).getString(0, 2, 1), u"杏!");
    EXPECT_EQ(app.lists.words(2).getString(0, 0, 1), u"word ab");
    EXPECT_TRUE(app.forms.form1.Timer1.enabled());
    EXPECT_EQ(platform.foreground, 0x42u) << "the application has the keyboard back";

    // Another list's hotkey works during an edit, and asks before it ends it:
    // what was typed is written only on Yes.
    for (const int answer : {kIdNo, kIdYes}) {
        showLine(2, 1);
        typeIntoDescription(u"?");
        platform.messageAnswers.push_back(answer);
        user.listHotkey(3);
        EXPECT_EQ(messageTexts().back(), u"この内容で書き換えますか？");
        EXPECT_FALSE(app.inlineEditor.editing());
        EXPECT_FALSE(app.forms.form1.Command1.visible());
        EXPECT_EQ(app.completion.currentList(), 3);
        EXPECT_EQ(app.lists.words(2).getString(1, 0, 1),
                  answer == kIdYes ? u"word ac?" : u"word ac");
    }
}

TEST_F(WordEditingTest, ARenameIsRefusedWhenItsEntryMovedAndWhenTooLong) {
    user.copy(u"old");
    app.capture.checkClipboad();
    showLine(kClipboardList, 2);
    app.forms.form1.mnuListMenu.mnuChangeWordMenu.click();
    ASSERT_TRUE(app.forms.form5.visible());
    app.forms.form5.RichTextBox1.setText(std::u16string(1024, u'x'));
    app.forms.form5.Command1.click();
    EXPECT_EQ(messageTexts().back(), u"文章が長すぎます。短くしてください");

    user.copy(u"new");  // the history moves under the dialog
    app.capture.checkClipboad();
    app.forms.form5.RichTextBox1.setText(u"renamed\r\nline");
    platform.messageAnswers.push_back(kIdYes);
    app.forms.form5.Command1.click();
    EXPECT_TRUE(app.forms.form5.visible());
    EXPECT_EQ(app.forms.form5.RichTextBox1.text(), u"renamed\r\nline");
    EXPECT_NE(app.lists.words(kClipboardList).getString(2, 0, 0), u"renamed\\nline");

    showLine(2, 1);
    app.forms.form1.mnuListMenu.mnuChangeWordMenu.click();
    app.forms.form5.RichTextBox1.setText(std::u16string(1021, u'y') + u"\r\n");
    platform.messageAnswers.push_back(kIdYes);
    app.forms.form5.Command1.click();
    EXPECT_EQ(app.lists.words(2).getString(1, 0, 0), std::u16string(1021, u'y') + u"\\n");
    EXPECT_TRUE(app.lists.wordListChanged[0]);
}

TEST_F(WordEditingTest, TheAddWordDialogAddsWhereTheUserChose) {
    // The list at a caret on a second monitor at 150 %: the dialog opens
    // centred on that monitor, in front, with the keyboard in its name.
    platform.monitors.push_back(Monitor{{1920, 0, 4480, 1440}, {1920, 0, 4480, 1380}, 144});
    platform.carets[CaretSource::ThreadInfo] = Caret{{2500, 300}, u"Edit"};
    platform.clipboard = u"kiwi";
    showLine(2, 0);
    app.completion.setWindowPosision();
    user.press(kVkInsert, true);  // Shift+Insert
    ui::Form3& form3 = app.forms.form3;
    ASSERT_TRUE(form3.visible());
    const Rect place = ui::pixelRect(form3, platform);
    EXPECT_EQ(form3.dpi(), 144);
    EXPECT_NEAR((place.left + place.right) / 2, 3200, 1);
    EXPECT_NEAR((place.top + place.bottom) / 2, 690, 1);
    EXPECT_EQ(platform.foreground, form3.handle());
    EXPECT_TRUE(form3.Text1.focused());
    EXPECT_EQ(form3.List1.items(), (Items{u"新しい単語", u"ab", u"ac"}));
    EXPECT_EQ(form3.Text1.text(), u"kiwi");
    form3.List1.click(2);
    form3.Text2.setText(u"green");
    platform.messageAnswers.push_back(kIdYes);
    form3.Command1.click();
    EXPECT_EQ(messageTexts().back(), u"「kiwi」を「ac」の下に新しく追加します。よろしいですか？");
    EXPECT_EQ(app.lists.words(2).getString(1, 1, 1), u"green");
    EXPECT_FALSE(form3.visible());

    showLine(2, 0);
    app.forms.form1.mnuListMenu.mnuAdd.click();
    useList(3);  // a list hotkey changed the list under the dialog
    platform.messageAnswers.push_back(kIdYes);
    form3.Command1.click();
    EXPECT_FALSE(form3.visible()) << "the dialog adds to the list it was opened for";
    EXPECT_EQ(app.lists.words(2).getWordLength(), 2);
    EXPECT_EQ(app.lists.words(2).getString(2, 0, 0), u"kiwi");
    EXPECT_EQ(app.lists.words(3).getWordLength(), 1);
}

TEST_F(WordEditingTest, AClickIntoTheDescriptionTakesTheNavigationKeysForTheBox) {
    showLine(2, 0);
    const auto arrowRegistered = [&] {
        return std::any_of(platform.registeredHotKeys.begin(), platform.registeredHotKeys.end(),
                           [](const auto& entry) { return entry.second.virtualKey == kVkUp; });
    };
    ASSERT_TRUE(arrowRegistered());
    ASSERT_TRUE(user.focus(u"Text1"));
    user.tick();
    EXPECT_FALSE(arrowRegistered()) << "the IME's candidate keys work in the box";
}

TEST_F(WordEditingTest, TheListMenusDialogsOpenInFrontWithTheKeyboardInTheirField) {
    for (ui::MenuItem* item :
         {&app.forms.form1.mnuListMenu.mnuAdd, &app.forms.form1.mnuListMenu.mnuChangeWordMenu}) {
        showLine(2, 0);
        platform.duringMenu = [item] { item->click(); };  // chosen while the menu is up
        user.rightClickList();
        ui::Window& dialog = item == &app.forms.form1.mnuListMenu.mnuAdd
                                 ? static_cast<ui::Window&>(app.forms.form3)
                                 : app.forms.form5;
        ASSERT_TRUE(dialog.visible());
        EXPECT_EQ(platform.foreground, dialog.handle()) << "not handed back to the application";
        ASSERT_NE(dialog.focusedControl(), nullptr);
        EXPECT_EQ(dialog.focusedControl()->kind(), ui::ControlKind::TextBox);
        dialog.pressCancel();
    }
}

TEST_F(WordEditingTest, LineMarksChangeTheChosenEntryOnly) {
    EXPECT_EQ(getKettString(u""), u">");
    EXPECT_EQ(getKettString(u"a\r\nb\r\n"), u">a\r\n>b\r\n>");
    EXPECT_EQ(getBrString(u"a\r\nb"), u"a<br>\r\nb");
    EXPECT_EQ(getBrString(u"plain"), u"plain");

    app.lists.addWord(kClipboardList, 0, u"first", u"x\r\ny");
    app.lists.addWord(kClipboardList, 0, u"second", u"p\r\nq");
    useList(kClipboardList);
    app.completion.showList();
    app.forms.form1.List1.click(0);
    std::u16string open = u"decide";
    app.completion.selectWord(open);
    user.tick(2);
    ASSERT_EQ(app.completion.openWord(), 0);
    ASSERT_EQ(shownItems(), (Items{u"first", u"second"}));
    app.forms.form1.List1.click(1);
    app.forms.form1.mnuListMenu.mnuSetKett.click();
    const WordListClass& words = app.lists.words(kClipboardList);
    EXPECT_EQ(words.getString(0, 2, 1), u">p\r\n>q");
    EXPECT_EQ(words.getString(0, 1, 1), u"x\r\ny");
    EXPECT_EQ(words.getString(0, 0, 1), u"");
}

}  // namespace
}  // namespace wordvane::test
