#include <gtest/gtest.h>

#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

TEST(Replacement, OnePassBoundedAndAnEmptyBeforeChangesNothing) {
    EXPECT_EQ(boundedReplaceAll(u"a-a", u"a", u"aa", 100), u"aa-aa") << "no rescanning";
    EXPECT_EQ(boundedReplaceAll(u"abc", u"", u"x", 100), u"abc");
    EXPECT_EQ(boundedReplaceAll(u"aaaa", u"a", u"xyz", 11), std::nullopt);
    EXPECT_EQ(boundedReplaceAll(u"aaaa", u"a", u"xyz", 12), u"xyzxyzxyzxyz");
}

class TextTransformTest : public CompletionTest {
  protected:
    void SetUp() override {
        start();
        app.replaceSets.setReplaceSet(0, u"wrap", u"\\a", u"<b>\\a</b>");
        app.replaceSets.setReplaceSet(1, u"erase", u"\\a", u"");
        platform.foreground = kApplication;
        platform.clipboard = u"mine";
    }
    // The popup-menu hotkey with the application's selection.
    void popup(const std::u16string& text) {
        user.type(text);
        user.selectAll();
        user.press('R', true, true, true);
        user.tick(2);
    }
    static constexpr WindowHandle kApplication = 0x42;
};

TEST_F(TextTransformTest, TheSelectionIsCopiedOnceTheKeysAreUpAndRewritten) {
    popup(u"hi");
    ASSERT_EQ(platform.openMenu, &app.textTransform.mnuAddFunction);
    EXPECT_EQ(app.textTransform.selectedText(), u"hi");
    EXPECT_EQ(platform.clipboard, u"mine") << "the user's clipboard is back at once";
    ASSERT_TRUE(user.chooseMenuItem(u"wrap"));
    EXPECT_EQ(user.applicationText(), u"<b>hi</b>");
    user.tick(40);
    EXPECT_EQ(platform.clipboard, u"mine");
}

TEST_F(TextTransformTest, TheCopyWaitsForTheHotkeysModifiers) {
    user.type(u"x");
    user.selectAll();
    platform.sentKeys.clear();
    platform.keysDown.insert(kVkMenu);
    app.textTransform.doPopup();
    user.tick(5);
    EXPECT_TRUE(platform.sentKeys.empty()) << "Ctrl+C with Alt down is another key";
    platform.keysDown.erase(kVkMenu);
    user.tick(2);
    EXPECT_EQ(platform.sentKeys.front(), (std::pair<int, bool>{kVkControl, false}));
    EXPECT_EQ(app.textTransform.selectedText(), u"x");
}

TEST_F(TextTransformTest, NoCopyMeansNoReplacementAndAnEmptyResultIsNotPasted) {
    user.press('R', true, true, true);  // nothing selected: the application copies nothing
    user.tick(60);
    ASSERT_EQ(platform.openMenu, &app.textTransform.mnuAddFunction);
    EXPECT_FALSE(app.replaceSets.mnuReplace[0].enabled());
    EXPECT_TRUE(app.textTransform.mnuFrontScreen.enabled());

    popup(u"gone");
    ASSERT_TRUE(user.chooseMenuItem(u"erase"));
    EXPECT_EQ(user.applicationText(), u"gone");
}

TEST_F(TextTransformTest, AWindowThatWentAwayGetsNoKeys) {
    popup(u"text");
    platform.closedWindows.insert(kApplication);
    platform.sentKeys.clear();
    ASSERT_TRUE(user.chooseMenuItem(u"wrap"));
    EXPECT_TRUE(platform.sentKeys.empty());
    EXPECT_EQ(messageTexts().back(), u"失敗しました");
}

TEST_F(TextTransformTest, TheEditorStopsAtTenSets) {
    auto& form9 = app.forms.form9;
    app.replaceEditor.setReplaceSet(1, u"wrap", u"\\a", u"<b>\\a</b>");
    for (int16_t i = 2; i <= 10; ++i) {
        app.replaceEditor.setReplaceSet(i, u"s", u"a", u"b");
    }
    app.replaceEditor.mnuChangeReplaceWay_Click();
    form9.Combo1.click(1);
    EXPECT_EQ(form9.Text3.text(), u"<b>\\a</b>");
    form9.Text1.setText(u"bold");
    form9.Command1.click();
    EXPECT_EQ(app.replaceSets.getReplaceWord(0, 0), u"bold");
    EXPECT_FALSE(form9.visible());

    form9.Combo1.click(0);
    form9.Command1.click();
    EXPECT_EQ(messageTexts().back(), u"設定できる置換の最大数は10までです");
    EXPECT_EQ(app.replaceEditor.getPopupNum(), 11);
}

TEST_F(TextTransformTest, APathPopUpStaysForItsTimeAndRegistersOnce) {
    app.lists.settings.textEraseTime = 3;
    auto& form4 = app.forms.form4;
    form4.setLeft(1900 * 15);  // left where the screen was wider
    user.copy(u"C:\\data\\report.txt");
    app.capture.checkClipboad();
    ASSERT_TRUE(form4.visible());
    EXPECT_EQ(form4.left() + form4.width(), 1920 * 15) << "back inside the screen";
    EXPECT_EQ(form4.caption(), u"C:\\data\\report.txt");
    EXPECT_EQ(form4.Text1.text(), u"report.txt");
    user.tick(2);
    form4.Text1.userChanged(u"report");  // typing keeps it up
    user.tick(2);
    EXPECT_TRUE(form4.visible());
    form4.Command1.click();
    EXPECT_TRUE(app.launcher.checkLaunchName(u"report"));
    user.tick(3);
    EXPECT_FALSE(app.textWindow.linkPopupShown());

    user.copy(u"C:\\other\\report");
    app.capture.checkClipboad();
    form4.Text1.userChanged(u"report");
    form4.Command1.click();
    EXPECT_EQ(messageTexts().back(), u"同じ名前がすでにあります");
}

}  // namespace
}  // namespace wordvane::test
