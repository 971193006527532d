#include <gtest/gtest.h>

#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

using Items = std::vector<std::u16string>;

class ListCommandsTest : public CompletionTest {
  protected:
    void startWithFiveWords() {
        start(listFile(u"L", {{{u"w0", u"a0"}},
                              {{u"w1", u"a1"}},
                              {{u"w2", u"a2"}},
                              {{u"w3", u"a3"}, {u"e1", u"x1"}, {u"e2", u"x2"}},
                              {{u"w4", u"a4"}}}));
    }
    void showAndSelect(int line) {
        app.completion.showList();
        app.forms.form1.List1.click(static_cast<int16_t>(line));
    }
    bool arrowsRegistered() const {
        for (const auto& [id, hotKey] : platform.registeredHotKeys) {
            if (hotKey.virtualKey == kVkUp) {
                return true;
            }
        }
        return false;
    }
};

TEST_F(ListCommandsTest, DeletingAWordMovesItToTheEndAsAnEmptySlot) {
    startWithFiveWords();
    showAndSelect(3);
    EXPECT_EQ(app.forms.form1.Text1.text(), u"a3");
    platform.messageAnswers.push_back(kIdYes);
    user.hotkey(u"delete");
    EXPECT_EQ(messageTexts().back(), u"この項目を削除してよろしいですか?");
    EXPECT_EQ(shownItems(), (Items{u"w0", u"w1", u"w2", u"w4", u""}));
    const WordListClass& words = app.lists.words(2);
    EXPECT_EQ(words.getElementLength(4), 0) << "the deleted word's elements go with it";
    EXPECT_EQ(words.getString(4, 0, 1), u"まだ入っていません。");
    EXPECT_TRUE(app.lists.wordListChanged[0]);
    EXPECT_TRUE(app.forms.form1.Timer1.enabled());
}

TEST_F(ListCommandsTest, AQuestionAnsweredFromTheKeyboardIsLikeAClickOnItsButton) {
    platform.recordKeyPresses = true;
    startWithFiveWords();
    showAndSelect(1);
    // Return in the box gives its default answer; its press, recorded while
    // the box had the keyboard, is never typing in the application.
    platform.messageAnswers.push_back(kIdYes);
    platform.messageAnswerKeys.push_back(kVkReturn);
    user.hotkey(u"delete");
    user.tick(3);
    EXPECT_TRUE(app.forms.form1.visible()) << "the list stays, as after a click on Yes";
    EXPECT_EQ(shownItems(), (Items{u"w0", u"w2", u"w3", u"w4", u""}));
    EXPECT_EQ(user.applicationText(), u"") << "nothing was inserted";
}

TEST_F(ListCommandsTest, DeletingTheFirstElementReturnsToTheWordLevel) {
    startWithFiveWords();
    user.type(u";w3");
    ASSERT_EQ(app.completion.openWord(), 3);
    user.tick(2);
    ASSERT_EQ(shownItems(), (Items{u"e1", u"e2"}));
    platform.messageAnswers.push_back(kIdYes);
    app.listCommands.doItemDelete();
    EXPECT_EQ(app.completion.openWord(), -1);
    EXPECT_EQ(app.lists.words(2).getString(3, 1, 0), u"e2");
    EXPECT_EQ(app.lists.words(2).getElementLength(3), 1);
}

TEST_F(ListCommandsTest, RefusalsAndADeleteThatHidesTheListFreesTheArrows) {
    startWithFiveWords();
    useList(kLauncherList);  // one word
    showAndSelect(0);
    app.listCommands.doItemDelete();
    EXPECT_EQ(messageTexts().back(),
              u"単語がひとつしかないので削除できません。\r\nリストを空にすることはできません");

    useList(2);
    app.lists.words(2).changeString(4, 0, u"zz", u"a4");
    user.type(u";z");  // one line
    ASSERT_EQ(shownItems(), (Items{u"zz"}));
    platform.messageAnswers.push_back(kIdYes);
    user.hotkey(u"delete");
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_FALSE(arrowsRegistered());

    useList(kClipboardList);
    showAndSelect(0);
    app.listCommands.doItemDelete();
    EXPECT_EQ(messageTexts().back(), u"この項目は削除できません");
    EXPECT_EQ(app.lists.words(kClipboardList).getString(0, 0, 0), u"保管庫");
}

// The tick runs under the question of the menu's 削除: a copy that moves the
// history meanwhile makes the command do nothing rather than delete another
// entry.
TEST_F(ListCommandsTest, AnEntryThatMovedUnderTheQuestionIsNotDeletedByPlace) {
    start();
    user.copy(u"old");
    app.capture.checkClipboad();
    useList(kClipboardList);
    showAndSelect(2);
    platform.messageAnswers.push_back(kIdYes);
    platform.duringMessage = [this] {
        user.copy(u"new");
        app.capture.checkClipboad();
    };
    app.forms.form1.mnuListMenu.mnuItemDelete.click();
    const WordListClass& words = app.lists.words(kClipboardList);
    EXPECT_EQ(words.getString(2, 0, 1), u"new");
    EXPECT_EQ(words.getString(3, 0, 1), u"old");
}

TEST_F(ListCommandsTest, StorageCopiesAClipboardEntryAndTheMenuFitsTheList) {
    start();
    app.forms.form1.List1.onRightButton();
    EXPECT_FALSE(app.forms.form1.mnuListMenu.mnuStore.visible());
    EXPECT_FALSE(app.forms.form1.mnuListMenu.mnuClipAllDelete.visible());
    platform.messageAnswers.push_back(kIdYes);
    user.press(kVkDelete, true);  // Shift+Delete on a word list: nothing
    EXPECT_TRUE(platform.messageAnswers.size() == 1);

    user.copy(u"keep me");
    app.capture.checkClipboad();
    useList(kClipboardList);
    showAndSelect(2);
    app.forms.form1.List1.onRightButton();
    EXPECT_TRUE(app.forms.form1.mnuListMenu.mnuStore.visible());
    app.forms.form1.mnuListMenu.mnuStore.click();
    const WordListClass& words = app.lists.words(kClipboardList);
    ASSERT_EQ(words.getElementLength(0), 1);
    EXPECT_EQ(words.getString(0, 1, 1), u"keep me");
    EXPECT_EQ(words.getString(2, 0, 1), u"keep me");
}

// After the question of Shift+Delete the list still serves the application
// it was opened for: another window of that application keeps it shown, a
// second Shift+Delete is the list's again.
// While the list's menu and its question are up, Return, Tab and the arrows
// are theirs and the keys typed there are not typing; then the list is back
// as it was.
TEST_F(ListCommandsTest, TheListsMenuAndQuestionsHaveTheNavigationKeys) {
    start();
    useList(2);
    showAndSelect(1);
    const ui::Window& form1 = app.forms.form1;
    const auto paused = [&] {
        EXPECT_FALSE(arrowsRegistered());
        EXPECT_FALSE(app.forms.form1.Timer1.enabled());
    };
    platform.duringMenu = [&] {
        paused();
        platform.duringMessage = [&] {
            paused();
            user.press(kVkReturn);  // answers the question in the box
        };
        platform.messageAnswers.push_back(kIdNo);
        EXPECT_TRUE(user.chooseMenuItem(u"削除"));
    };
    app.listCommands.List1_RightButton();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(form1.visible());
    EXPECT_TRUE(arrowsRegistered());
    EXPECT_TRUE(app.forms.form1.Timer1.enabled());
    EXPECT_EQ(app.completion.typedText(), u"");
    EXPECT_EQ(platform.foreground, 0x42u);
}

TEST_F(ListCommandsTest, TheListStillServesItsApplicationAfterAQuestion) {
    start();
    for (const char16_t* text : {u"one", u"two"}) {
        user.copy(text);
        app.capture.checkClipboad();
    }
    useList(kClipboardList);
    showAndSelect(2);
    platform.messageAnswers.push_back(kIdYes);
    user.press(kVkDelete, true);
    user.tick();
    EXPECT_TRUE(app.forms.form1.visible());
    platform.messageAnswers.push_back(kIdYes);
    user.press(kVkDelete, true);
    EXPECT_EQ(app.lists.words(kClipboardList).getElementLength(0), 2) << "both in the storage";

    // Another window of the same process (a second browser window) in
    // front: the list serves it no longer, nor another control of the
    // served window, nor after a click into the application.
    platform.windowProcesses[0x43] = 0x42;
    platform.foreground = 0x43;
    user.tick();
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_FALSE(arrowsRegistered());
    platform.foreground = 0x42;
    platform.focusedControlOf = 0x50;
    showAndSelect(1);
    platform.focusedControlOf = 0x51;
    user.tick();
    EXPECT_FALSE(app.forms.form1.visible()) << "another control";
    showAndSelect(1);
    user.clickInto(0x42);
    EXPECT_FALSE(app.forms.form1.visible()) << "a click that may have moved the caret";
    EXPECT_FALSE(platform.mouseWatched) << "the mouse is not heard while the list is hidden";
}

}  // namespace
}  // namespace wordvane::test
