#include <gtest/gtest.h>

#include "lists/decimal_text.h"
#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

using Keys = std::vector<std::pair<int, bool>>;

class LauncherTest : public CompletionTest {
  protected:
    void SetUp() override {
        start();
        // Launcher names default to file names: two entries share one.
        app.launcher.addLaunch(u"report", u"C:\\a\\report");
        app.launcher.addLaunch(u"report", u"C:\\b\\report");
    }
    void openLine(int list, int line) {
        useList(list);
        app.completion.showList();
        app.forms.form1.List1.click(static_cast<int16_t>(line));
        user.hotkey(u"return");
    }
};

TEST_F(LauncherTest, ReturnOpensTheAccountOfTheChosenEntry) {
    openLine(kLauncherList, 2);
    EXPECT_EQ(platform.shellOpened, (std::vector<std::u16string>{u"C:\\b\\report"}));
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_TRUE(platform.sentKeys.empty()) << "the abbreviation was typed into the filter box";
}

// A failure is told in the system's words, with what was to be opened.
TEST_F(LauncherTest, OnlyCodesAbove32AreSuccess) {
    for (int code : {0, 5, 2}) {
        platform.shellAnswer = code;
        openLine(kLauncherList, 1);
        EXPECT_EQ(messageTexts().back(), u"指定されたファイルが見つかりません。\r\nC:\\a\\report");
    }
    const size_t shown = platform.messages.size();
    platform.shellAnswer = 33;
    openLine(kLauncherList, 1);
    EXPECT_EQ(platform.messages.size(), shown);
}

TEST_F(LauncherTest, CopiedProgramsAskFirstAndQuotesAreRefused) {
    auto& history = app.lists.words(kClipboardList);
    history.changeString(2, 0, u"tool", u"C:\\x\\tool.EXE");
    history.changeString(3, 0, u"quoted", u"C:\\x\\a\" b");
    app.lists.replaceAbbrev[kClipboardList] = true;  // Return opens the stored text
    openLine(kClipboardList, 2);                     // answered No
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(messageTexts().back(),
              u"このプログラムまたはネットワーク上の場所を開きますか?\r\nC:\\x\\tool.EXE");
    EXPECT_TRUE(platform.shellOpened.empty());
    platform.messageAnswers.push_back(kIdYes);
    openLine(kClipboardList, 2);
    EXPECT_EQ(platform.shellOpened.size(), 1u);
    openLine(kClipboardList, 3);
    EXPECT_EQ(messageTexts().back(), u"このアドレスは開けません。\r\nC:\\x\\a\" b");
    EXPECT_EQ(platform.shellOpened.size(), 1u);

    // Every type the system calls dangerous asks too; a web address goes to
    // the browser whatever it ends with.
    history.changeString(2, 0, u"script", u"C:\\x\\setup.REG");
    history.changeString(3, 0, u"site", u"http://example.com");
    const size_t asked = platform.messages.size();
    openLine(kClipboardList, 2);  // answered No
    EXPECT_EQ(platform.messages.size(), asked + 1);
    openLine(kClipboardList, 3);
    EXPECT_EQ(platform.messages.size(), asked + 1);
    EXPECT_EQ(platform.shellOpened.back(), u"http://example.com");
}

TEST_F(LauncherTest, TheTypedAbbreviationIsErasedInTheApplicationFirst) {
    app.lists.words(2).changeString(0, 0, u"ab", u"C:\\ab");
    app.lists.replaceAbbrev[2] = true;
    user.type(u";a");
    ASSERT_TRUE(app.forms.form1.visible());
    platform.sentKeys.clear();
    user.hotkey(u"return");
    EXPECT_EQ(platform.sentKeys,
              (Keys{{kVkLeft, false}, {kVkLeft, true}, {kVkDelete, false}, {kVkDelete, true}}));
    EXPECT_EQ(platform.shellOpened.back(), u"C:\\ab");
    EXPECT_TRUE(app.completion.typedText().empty());
}

}  // namespace
}  // namespace wordvane::test
