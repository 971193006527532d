#include <gtest/gtest.h>

#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

class CaptureTest : public CompletionTest {
  protected:
    void SetUp() override {
        start();
        app.lists.settings.separatorInterval = -1;
    }
    void copied(const std::u16string& text) {
        user.copy(text);
        app.capture.checkClipboad();
    }
    // The accounts of the history words 2 and up.
    std::vector<std::u16string> history() const {
        const WordListClass& words = app.lists.words(kClipboardList);
        std::vector<std::u16string> accounts;
        for (int16_t w = 2; w <= words.getWordLength(); ++w) {
            accounts.push_back(words.getString(w, 0, 1));
        }
        return accounts;
    }
    std::u16string label(int16_t word) const {
        return app.lists.words(kClipboardList).getString(word, 0, 0);
    }
};

TEST_F(CaptureTest, KeepsNewestFirstDropsTheOldestAndStoresAKnownTextOnce) {
    copied(u"one");
    copied(u"two");
    copied(u"one");  // already in the history: stays where it is
    EXPECT_EQ(history(), (std::vector<std::u16string>{u"two", u"one"}));
    copied(u"three");
    EXPECT_EQ(history(), (std::vector<std::u16string>{u"three", u"two"}));
    // The storage and the fixed word never move.
    EXPECT_EQ(label(0), u"保管庫");
    EXPECT_EQ(label(1), u"固定");
}

TEST_F(CaptureTest, DuplicateSwitchStoresACtrlCopyAgain) {
    app.forms.form1.mnuModeMenu.mnuClipDuplicate.click();
    copied(u"same");
    user.copy(u"same");
    user.press('C', false, true);  // the tick sees Ctrl+C
    app.capture.checkClipboad();
    EXPECT_EQ(history(), (std::vector<std::u16string>{u"same", u"same"}));
}

TEST_F(CaptureTest, PrefixesSizeLimitAndLabels) {
    copied(u"/usr/bin");
    EXPECT_EQ(history()[0], u"/usr/bin") << "stored exactly as copied";
    copied(u"ttp://example.com");
    EXPECT_EQ(history()[0], u"http://example.com");
    app.lists.settings.listEnabled[0] = false;
    copied(u"ttp://other");
    EXPECT_EQ(history()[0], u"ttp://other");

    app.lists.settings.clipMaxBytes = 10;
    copied(u"12345");
    EXPECT_EQ(history()[0], u"12345");
    copied(u"123456");
    EXPECT_EQ(history()[0], u"12345");
    copied(u"/23456");
    EXPECT_EQ(history()[0], u"12345");

    app.lists.settings.clipMaxBytes = 100000;
    const LocalDateTime now = platform.localNow();
    const std::u16string stamp = u"(2026/12/07 09:30:00)";
    ASSERT_EQ(now.hour, 9);
    copied(std::u16string(55, u'x'));
    EXPECT_EQ(label(2), std::u16string(55, u'x') + std::u16string(44, u' ') + stamp);
    copied(std::u16string(56, u'y'));
    EXPECT_EQ(label(2), std::u16string(55, u'y') + u" " + stamp);
    // A character outside the BMP is never cut in half; line breaks are
    // written as \n in the label and kept in the account.
    copied(std::u16string(54, u'z') + u"\U0001F600" + u"tail");
    EXPECT_EQ(label(2), std::u16string(54, u'z') + u" " + stamp);
    copied(u"a\r\nb");
    EXPECT_EQ(label(2), u"a\\nb" + std::u16string(44, u' ') + stamp);
    EXPECT_EQ(history()[0], u"a\r\nb");
}

TEST_F(CaptureTest, SeparatorAfterAPauseAndBeforeTheFirstText) {
    app.lists.settings.separatorInterval = 5.0 / 1440;
    app.lists.settings.clipHistorySize = 8;
    for (int i = 0; i < 4; ++i) {
        app.lists.addWord(kClipboardList, -1, u"", u"まだ入っていません。");
    }
    copied(u"first");
    EXPECT_EQ(label(3), u"-----------------------------09:30:00");
    EXPECT_EQ(history()[1], u"2026/12/07 09:30:00");
    platform.now += 4 * 60000;
    copied(u"soon");
    EXPECT_EQ(history()[1], u"first");
    platform.now += 6 * 60000;
    copied(u"later");
    EXPECT_EQ(history()[0], u"later");
    EXPECT_EQ(label(3), u"-----------------------------09:40:00");
}

TEST_F(CaptureTest, PasswordsBusyClipboardsAndOwnInsertionsAreNotStored) {
    user.copy(u"secret");
    platform.clipboardExcluded = true;
    app.capture.checkClipboad();
    EXPECT_EQ(history()[0], u"まだ入っていません。");

    // A busy clipboard is read again at the next turn, not taken as empty.
    user.copy(u"later");
    platform.clipboardBusy = true;
    app.capture.checkClipboad();
    EXPECT_EQ(history()[0], u"まだ入っていません。");
    platform.clipboardBusy = false;
    app.capture.checkClipboad();
    EXPECT_EQ(history()[0], u"later");

    ASSERT_TRUE(app.insertion.clipInsert(u"inserted"));
    app.capture.checkClipboad();
    EXPECT_EQ(history()[0], u"later");
}

// vane.ini may say the history is longer than ClipBoad.txt is: the words that
// exist take the copies, and none is lost.
TEST_F(CaptureTest, AHistorySizeLargerThanTheListStillStoresEveryCopy) {
    app.lists.settings.clipHistorySize = 1000;
    copied(u"one");
    copied(u"two");
    copied(u"one");
    EXPECT_EQ(history(), (std::vector<std::u16string>{u"two", u"one"}));
}

TEST_F(CaptureTest, TheShownHistoryFollowsItsEntries) {
    copied(u"old");
    useList(kClipboardList);
    app.completion.showList();
    ASSERT_EQ(selected(), label(2));
    copied(u"new");
    EXPECT_EQ(selected(), label(3));
    EXPECT_EQ(app.forms.form1.Text1.text(), u"old");
    EXPECT_EQ(shownItems()[2], label(2));
}

TEST_F(CaptureTest, DeleteAllEmptiesTheHistoryOrTheStorageOrTheLauncher) {
    copied(u"one");
    app.lists.addWord(kClipboardList, 0, u"kept", u"k");
    useList(kClipboardList);
    app.completion.showList();
    platform.messageAnswers.push_back(kIdYes);
    app.capture.mnuClipAllDelete_Click();
    EXPECT_EQ(history(), (std::vector<std::u16string>(2, u"まだ入っていません。")));
    EXPECT_EQ(app.lists.words(kClipboardList).getElementLength(0), 1);
    EXPECT_TRUE(app.completion.reshowListPending());

    useList(kLauncherList);
    app.lists.addWord(kLauncherList, -1, u"more", u"C:\\more");
    platform.messageAnswers.push_back(kIdYes);
    app.capture.mnuClipAllDelete_Click();
    EXPECT_EQ(app.lists.words(kLauncherList).getWordLength(), 0);
}

}  // namespace
}  // namespace wordvane::test
