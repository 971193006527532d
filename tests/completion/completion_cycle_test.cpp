// Word completion from the keys a user types to the text the application
// receives, on the fake desktop.

#include <gtest/gtest.h>

#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

using Items = std::vector<std::u16string>;

TEST_F(CompletionTest, AUniqueExactMatchOpensTheWordAndTabInsertsTheElementInFull) {
    start();
    user.type(u";");
    EXPECT_EQ(shownItems(), (Items{u"ab", u"ac"})) << "the start character opens the word level";
    user.type(u"a");
    EXPECT_EQ(shownItems(), (Items{u"ab", u"ac"}));
    EXPECT_EQ(selected(), u"ab");
    EXPECT_EQ(app.forms.form1.Text1.text(), u"word ab");
    user.type(u"b");
    user.tick(3);
    EXPECT_EQ(shownItems(), (Items{u"apple", u"apricot"})) << "the elements follow by themselves";
    EXPECT_EQ(app.completion.openWord(), 0);
    EXPECT_EQ(user.applicationText(), u";ab");

    user.copy(u"my clipboard");
    user.hotkey(u"down");
    EXPECT_EQ(selected(), u"apricot");
    EXPECT_EQ(app.forms.form1.Text1.text(), u"杏");
    user.hotkey(u"tab");
    EXPECT_EQ(user.applicationText(), u";abapricot");
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_EQ(platform.clipboard, u"apricot");
    user.tick(31);
    EXPECT_EQ(platform.clipboard, u"my clipboard") << "the user's text is back after 300 ms";
}

// With the presses recorded in order (raw input), keys typed faster than the
// ticks all come, in order; the key of a hotkey is the hotkey's, and the
// program's own keystrokes are never read as typing.
TEST_F(CompletionTest, RecordedPressesAreReadInOrderWhenTheyComeFasterThanTicks) {
    start();
    platform.recordKeyPresses = true;
    user.typeBurst(u";ab");
    user.tick(6);
    EXPECT_EQ(shownItems(), (Items{u"apple", u"apricot"})) << "the start character came first";
    user.press(kVkDown);  // the hotkey's own press is not a key of the typing
    user.press(kVkTab);
    user.tick(3);
    EXPECT_EQ(user.applicationText(), u";abapricot");
    user.typeBurst(u" ;ac");
    user.tick(6);
    EXPECT_EQ(app.completion.typedText(), u"ac") << "no key of the paste was read";

    // Raw input lost (another part of the process took the keyboard's
    // registration): the keys are polled, and typing goes on.
    platform.recordKeyPresses = false;
    user.press(kVkBack);
    user.tick(3);
    EXPECT_EQ(app.completion.typedText(), u"a");
    EXPECT_EQ(shownItems(), (Items{u"ab", u"ac"}));
}

TEST_F(CompletionTest, TabOnAWordWithoutTheTFlagReplacesTheAbbreviationAndOpensIt) {
    start();
    user.type(u";a");
    user.hotkey(u"tab");
    EXPECT_EQ(user.applicationText(), u";") << "the typed a is removed with Left and Delete";
    EXPECT_EQ(app.completion.openWord(), 0);
    user.tick(3);
    EXPECT_EQ(shownItems(), (Items{u"apple", u"apricot"}));
    user.hotkey(u"tab");
    EXPECT_EQ(user.applicationText(), u";apple");
}

TEST_F(CompletionTest, TheTFlagCompletesTheWordAndTheRFlagReplacesWithTheAccount) {
    auto list =
        listFile(u"English", {{{u"acknowledge", u"to admit"}}, {{u"because", u"reason"}}}, u":");
    list[4] = u"true";
    start(list);
    user.type(u":ack");
    user.hotkey(u"tab");
    EXPECT_EQ(user.applicationText(), u":acknowledge") << "the rest of the word is added";

    list[5] = u"reverse";
    folder.write("WordList2.txt", list);
    FakePlatform otherPlatform(folder.path());
    App other(otherPlatform);
    FakeSession otherUser(otherPlatform, other);
    folder.write("WordList1.txt", list);
    ASSERT_TRUE(other.shell.Form_Load());
    other.completion.switchList(2, u"");
    otherUser.type(u":bec");
    otherUser.hotkey(u"tab");
    EXPECT_EQ(otherUser.applicationText(), u":reason")
        << "the abbreviation gives way to the account";
}

// Typing into a shown list refreshes it in place: it never hides between two
// keys and keeps its navigation hotkeys, so a fast Tab is never the
// application's.
TEST_F(CompletionTest, TypingRefreshesTheShownListWithoutHidingIt) {
    start();
    user.type(u";");
    ASSERT_EQ(shownItems(), (std::vector<std::u16string>{u"ab", u"ac"}));
    bool hidden = false;
    app.forms.form1.setBinding([&] { hidden = hidden || !app.forms.form1.visible(); });
    const int unregistrations = platform.hotKeyUnregistrations;
    user.type(u"a");
    user.press(kVkBack);
    EXPECT_EQ(shownItems(), (std::vector<std::u16string>{u"ab", u"ac"}));
    EXPECT_FALSE(hidden);
    EXPECT_EQ(platform.hotKeyUnregistrations, unregistrations);
}

TEST_F(CompletionTest, EscClearsTheTextFirstAndLeavesTheWordSecond) {
    start();
    user.type(u";ab");
    user.tick(3);
    ASSERT_EQ(app.completion.openWord(), 0);
    user.type(u"ap");
    EXPECT_EQ(shownItems(), (Items{u"apple", u"apricot"}));
    user.press(kVkEscape);
    EXPECT_EQ(app.completion.typedText(), u"");
    EXPECT_EQ(app.completion.openWord(), 0) << "the first Esc keeps the word";
    EXPECT_EQ(shownItems(), (Items{u"apple", u"apricot"})) << "its elements are listed again";
    user.press(kVkEscape);
    EXPECT_EQ(app.completion.openWord(), -1);
    EXPECT_FALSE(app.forms.form1.visible());
}

TEST_F(CompletionTest, SeparatorsClearWhileHiddenAndFilterWhileShown) {
    start(listFile(u"L", {{{u"a,b", u"comma"}}, {{u"ab", u"plain"}}}));
    user.type(u"xy,");
    EXPECT_EQ(app.completion.typedText(), u"") << "a comma while hidden clears the abbreviation";
    user.type(u";a");
    EXPECT_EQ(shownItems(), (Items{u"a,b", u"ab"}));
    user.type(u",");
    EXPECT_EQ(app.completion.typedText(), u"a,") << "while shown it is appended";
    EXPECT_EQ(shownItems(), (Items{u"a,b"}));
}

TEST_F(CompletionTest, CancelKeysEndTheCycleAndABlankBeforeAnItemSpoilsIt) {
    auto list = listFile(u"L", {{{u"ab", u"x"}}, {{u"abc", u"y"}}});
    list[3] = u"Return,Up";
    start(list);
    user.type(u";a");
    user.hotkey(u"down");
    EXPECT_TRUE(app.forms.form1.visible()) << "the arrows move the selection while shown";
    EXPECT_EQ(selected(), u"abc");
    user.press(kVkEscape);
    user.press(kVkEscape);
    user.type(u"zz");
    EXPECT_EQ(app.completion.typedText(), u"zz");
    user.press(kVkReturn);
    EXPECT_EQ(app.completion.typedText(), u"") << "Return is a cancel key of this list";
    user.type(u"zz");
    user.press(kVkUp);
    EXPECT_EQ(app.completion.typedText(), u"");
    EXPECT_EQ(user.applicationText(), u";azz\r\nzz")
        << "the hidden list lets keys reach the application";
    EXPECT_EQ(app.completion.cancelKey(2, 0), u"return");
    EXPECT_EQ(app.completion.cancelKey(2, 1), u"up");

    list[3] = u"Return, Up";
    folder.write("WordList1.txt", list);
    FakePlatform otherPlatform(folder.path());
    App other(otherPlatform);
    ASSERT_TRUE(other.shell.Form_Load());
    EXPECT_EQ(other.completion.cancelKey(2, 1), u"う");
}

TEST_F(CompletionTest, TheClipboardHistoryInsertsTheRestOfTheStoredText) {
    start();
    useList(1);
    app.lists.wordLists[1].changeString(2, 0, u"label of the capture", u"stored text\r\nline 2");
    app.lists.insertAtWordLevel[1] = true;
    app.lists.startChar(1) = u";";
    user.type(u";");
    ASSERT_EQ(selected(), u"label of the capture");
    user.hotkey(u"tab");
    EXPECT_EQ(user.applicationText(), u";stored text\r\nline 2")
        << "the stored text, not the label, with its line break";
}

TEST_F(CompletionTest, TypingIntoTheInlineEditorStartsEditMode) {
    start();
    user.type(u";");
    ASSERT_TRUE(app.forms.form1.visible());
    app.inlineEditor.Text1_KeyDown(112, 0);
    EXPECT_FALSE(app.inlineEditor.editing()) << "F1 is no editing key";
    app.inlineEditor.Text1_KeyDown(kVkProcessKey, 0);  // a letter into the IME
    EXPECT_TRUE(app.inlineEditor.editing());
    EXPECT_TRUE(app.forms.form1.Timer1.enabled()) << "the tick goes on";
    EXPECT_EQ(app.forms.form1.caption(), u"編集中");
    EXPECT_TRUE(app.forms.form1.Command1.visible());
    EXPECT_EQ(platform.registeredHotKeys.size(), 8u) << "the navigation keys reach the editor";
}

TEST_F(CompletionTest, TheLauncherListOnlyListensToEsc) {
    start();
    useList(0);
    user.type(u"abc");
    EXPECT_EQ(app.completion.typedText(), u"");
    EXPECT_EQ(user.applicationText(), u"abc");
}

TEST_F(CompletionTest, CompletionOffAndTheAddWordDialogStopTheKeys) {
    start();
    app.forms.form1.mnuModeMenu.mnuOff.setChecked(true);
    user.type(u";a");
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_EQ(app.completion.typedText(), u"");
    app.forms.form1.mnuModeMenu.mnuOff.setChecked(false);
    app.forms.form3.setVisible(true);
    user.type(u";a");
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_EQ(app.completion.typedText(), u"") << "the tick does nothing at all";
}

TEST_F(CompletionTest, TheInsertionsOwnKeysAreNotReadBack) {
    start();
    user.type(u";ab");
    user.tick(3);
    user.hotkey(u"tab");
    const std::u16string typed = app.completion.typedText();
    user.tick(2);
    EXPECT_EQ(app.completion.typedText().find(u'v'), std::u16string::npos)
        << "the synthetic Ctrl+V is skipped: " << typed.size();
}

// The list serves the application it was opened in: when the user goes to
// another one, it hides and the arrows and Tab belong to that one.
TEST_F(CompletionTest, TheListFollowsTheUsersFocusAndStaysOutOfElevatedApplications) {
    start();
    user.type(u";");
    ASSERT_TRUE(app.forms.form1.visible());
    platform.foreground = app.forms.form8.handle();  // our own filter box
    user.tick();
    EXPECT_TRUE(app.forms.form1.visible());
    platform.foreground = 0x77;  // another application
    user.tick();
    EXPECT_FALSE(app.forms.form1.visible());
    for (const auto& [id, hotKey] : platform.registeredHotKeys) {
        EXPECT_NE(hotKey.virtualKey, kVkTab) << "Tab reaches the other application";
    }

    platform.foreground = 0x88;  // an application that runs elevated
    platform.elevatedWindows.insert(0x88);
    user.tick();
    user.type(u";");
    EXPECT_FALSE(app.forms.form1.visible());
    user.listHotkey(2);
    user.tick(2);
    EXPECT_FALSE(app.forms.form1.visible());
}

// On a US keyboard the key left of L types ";": it opens the list as ";" does
// on a Japanese one, where the same key types ":".
TEST_F(CompletionTest, KeysAreSpelledAsTheForegroundLayoutTypesThem) {
    start();
    user.press(186);
    EXPECT_FALSE(app.forms.form1.visible()) << "\":\" on the Japanese layout";
    platform.layoutCharacters = {{{186, false}, u";"}, {{186, true}, u":"}, {{187, false}, u"="}};
    user.press(186);
    EXPECT_TRUE(app.forms.form1.visible());
}

// With the IME on, the letters go to its composition: they build no
// abbreviation, the start character opens nothing, Return stays the IME's,
// and no Shift tap follows a paste.
TEST_F(CompletionTest, WithTheImeOnOnlyTheHotkeysOpenAListAndTabChooses) {
    start();
    platform.imeIsOpen = true;
    user.type(u";a");
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_TRUE(app.completion.typedText().empty());
    user.listHotkey(2);
    user.tick(2);
    ASSERT_TRUE(app.forms.form1.visible());
    std::set<int32_t> keys;
    for (const auto& [id, hotKey] : platform.registeredHotKeys) {
        keys.insert(hotKey.virtualKey);
    }
    EXPECT_FALSE(keys.contains(kVkReturn));
    EXPECT_TRUE(keys.contains(kVkTab));
    platform.sentKeys.clear();
    ASSERT_TRUE(app.insertion.clipInsert(u"x"));
    ASSERT_FALSE(platform.sentKeys.empty());
    for (const auto& [key, up] : platform.sentKeys) {
        EXPECT_NE(key, kVkShift);
    }
}

}  // namespace
}  // namespace wordvane::test
