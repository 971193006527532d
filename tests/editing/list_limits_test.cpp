#include <gtest/gtest.h>

#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

// Lists that hold the most words their files allow: an addition is refused
// with a message, never written in a form the next start rejects.
class ListLimitsTest : public CompletionTest {
  protected:
    static std::vector<Word> fullWords() {
        std::vector<Word> words(kMostWords);
        for (size_t w = 0; w < words.size(); ++w) {
            const std::string number = std::to_string(w);
            words[w] = {{u"w" + std::u16string(number.begin(), number.end()), u"C:\\list"}};
        }
        return words;
    }
    void exitAndRestart() {
        platform.messageAnswers.push_back(kIdYes);  // save the changed lists
        app.shell.mnuExit_Click();
        FakePlatform again{folder.path()};
        App restarted{again};
        EXPECT_TRUE(restarted.shell.Form_Load());
        EXPECT_TRUE(again.messages.empty()) << "every list loads again";
    }
};

TEST_F(ListLimitsTest, TheAddWordDialogOfAFullListRefusesANewWordButTakesAnElement) {
    start(listFile(u"full", fullWords()));
    app.completion.showList();
    user.press(kVkInsert, true);  // Shift+Insert: the add-word dialog
    ui::Form3& form3 = app.forms.form3;
    ASSERT_TRUE(form3.visible());
    EXPECT_EQ(form3.List1.listCount(), kMostWords + 1);
    form3.List1.click(0);  // 新しい単語
    form3.Text1.setText(u"one more");
    platform.messageAnswers.push_back(kIdYes);
    form3.Command1.click();
    EXPECT_EQ(messageTexts().back(), kListFullMessage);
    EXPECT_TRUE(form3.visible()) << "the dialog keeps what was typed";
    EXPECT_EQ(app.lists.words(2).getWordLength(), kMostWords - 1);

    form3.List1.click(kMostWords);  // under the last word
    platform.messageAnswers.push_back(kIdYes);
    form3.Command1.click();
    EXPECT_FALSE(form3.visible());
    EXPECT_EQ(app.lists.words(2).getElementLength(kMostWords - 1), 1);
    exitAndRestart();
}

TEST_F(ListLimitsTest, AFullLauncherRefusesACopiedPathAndStillFindsItsAccounts) {
    folder.writeStandard();
    folder.write("Launch.txt", listFile(u"launcher", fullWords(), u""));
    ASSERT_TRUE(app.shell.Form_Load());
    for (const std::u16string path : {u"C:\\data\\a.txt", u"C:\\data\\b.txt"}) {
        user.copy(path);
        app.capture.checkClipboad();
        ASSERT_TRUE(app.forms.form4.visible());
        app.forms.form4.Text1.userChanged(u"new name");
        app.forms.form4.Command1.click();
        EXPECT_EQ(messageTexts().back(), kListFullMessage);
    }
    EXPECT_FALSE(app.launcher.checkLaunchAccount(u"C:\\data\\a.txt"));
    EXPECT_EQ(app.lists.words(kLauncherList).getWordLength(), kMostWords - 1);
    exitAndRestart();
}

}  // namespace
}  // namespace wordvane::test
