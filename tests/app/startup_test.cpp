#include <gtest/gtest.h>

#include <filesystem>

#include "support/app_fixture.h"

namespace wordvane::test {
namespace {

class Startup : public AppTest {
  protected:
    void SetUp() override { folder.writeStandard(); }

    void setSetting(int number, const std::u16string& line) {
        auto lines = standardSettings();
        lines[static_cast<size_t>(number - 1)] = line;
        folder.write("vane.ini", lines);
    }

    std::set<int32_t> registeredKeys() const {
        std::set<int32_t> keys;
        for (const auto& [id, hotKey] : platform.registeredHotKeys) {
            keys.insert(hotKey.virtualKey);
        }
        return keys;
    }
};

TEST_F(Startup, ASecondInstanceSaysSoAndEndsAtOnce) {
    platform.otherInstance = true;
    EXPECT_FALSE(app.shell.Form_Load());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].text, u"既に起動されています。");
    EXPECT_EQ(platform.messages[0].style, kMbIconExclamation);
    EXPECT_EQ(platform.messages[0].title, u"Wordvane");
    EXPECT_TRUE(platform.exited);
    EXPECT_EQ(app.lists.loadedListCount, 0);
    EXPECT_FALSE(platform.trayIconShown);
    EXPECT_TRUE(platform.writtenFiles.empty());
}

TEST_F(Startup, UnreadableSettingsEndBeforeAnyListIsRead) {
    folder.remove("vane.ini");
    EXPECT_FALSE(app.shell.Form_Load());
    EXPECT_EQ(messageTexts(), std::vector<std::u16string>{
                                  u"iniファイルの読み取りに失敗しました。\r\n起動を中止します。"});
    EXPECT_EQ(platform.messages[0].title, u"Wordvane");
    EXPECT_TRUE(platform.exited);
    EXPECT_EQ(app.lists.listNames[0], u"");
    EXPECT_FALSE(platform.trayIconShown);
    EXPECT_TRUE(platform.writtenFiles.empty());
}

TEST_F(Startup, TheProgramBecomesResidentWithHiddenTopmostWindows) {
    ASSERT_TRUE(app.shell.Form_Load());
    EXPECT_TRUE(platform.messages.empty());
    for (int number = 1; number <= 9; ++number) {
        const ui::Window& window = app.forms.byNumber(number);
        EXPECT_FALSE(window.visible()) << "Form" << number;
        EXPECT_EQ(window.left(), 0) << "Form" << number;
        EXPECT_TRUE(window.loaded()) << "Form" << number;
        EXPECT_EQ(window.topmost(), number != 3 && number != 5) << "Form" << number;
    }
    const ui::Form1& form1 = app.forms.form1;
    EXPECT_FALSE(form1.Command1.visible());
    EXPECT_FALSE(form1.Command2.visible());
    EXPECT_EQ(form1.caption(), u"ランチャー - Wordvane ");
    EXPECT_TRUE(platform.trayIconShown);
    EXPECT_EQ(platform.trayTip, u"Wordvane");
    EXPECT_TRUE(app.hotkeys.hooked());
    EXPECT_EQ(registeredKeys(), (std::set<int32_t>{82, 49, 50, 51, 52, 53, 54, 55}));
    // Each fires once while held, under an id of the program's own range
    // (global atoms begin at 0xC000).
    for (const auto& [id, hotKey] : platform.registeredHotKeys) {
        EXPECT_EQ(hotKey.window, form1.handle());
        EXPECT_EQ(hotKey.modifiers, 7 | kModNoRepeat);
        EXPECT_LT(id, 0xC000);
    }
    EXPECT_EQ(form1.width(), 5730) << "laid out for the middle display size";
    EXPECT_EQ(form1.Text1.left(), 2800);
    EXPECT_EQ(app.completion.openWord(), -1);
}

TEST_F(Startup, TheSettingsReachTheSubsystemsThatOwnThem) {
    auto lines = standardSettings();
    lines[11] = u"50/";     // the text window's opacity
    lines[18] = lines[14];  // list 2 gets the combination of list 0
    lines[19] = lines[15];
    lines.push_back(u"a\\/b/\\a/<b>\\a<\\/b>\\nx/ comment");
    lines.push_back(u"n//after/");
    folder.write("vane.ini", lines);
    ASSERT_TRUE(app.shell.Form_Load());
    EXPECT_EQ(app.replaceSets.getTranslucentIndex(), 50);
    EXPECT_EQ(platform.opacity[app.forms.form4.handle()], 130);
    const auto& hotKeys = app.hotkeys.hotKeys();
    EXPECT_TRUE(hotKeys[0].enabled);
    EXPECT_TRUE(hotKeys[1].enabled);
    EXPECT_FALSE(hotKeys[2].enabled) << "a duplicate combination";
    EXPECT_EQ(hotKeys[2].pushedKey, 49);
    EXPECT_EQ(app.hotkeys.popupCombination().modifiers, 7);
    EXPECT_EQ(app.hotkeys.popupCombination().key, 82);
    EXPECT_EQ(app.replaceSets.getReplaceWord(0, 0), u"a/b");
    EXPECT_EQ(app.replaceSets.getReplaceWord(0, 2), u"<b>\\a</b>\r\nx");
    EXPECT_TRUE(app.replaceSets.mnuReplace[1].visible());
    EXPECT_FALSE(app.replaceSets.mnuReplace[2].visible());
    EXPECT_EQ(app.replaceEditor.getPopupNum(), 3);
    EXPECT_EQ(app.replaceEditor.entries(),
              (std::vector<std::u16string>{u"新しく追加", u"a/b", u"n"}));
    EXPECT_EQ(app.replaceEditor.editSet(1).postWord, u"<b>\\a</b>\\nx");

    app.shell.Form_QueryUnload();
    const auto written = folder.lines("vane.ini");
    EXPECT_EQ(written[11].substr(0, 3), u"50/");
    EXPECT_EQ(written[18].substr(0, 2), u"7/") << "the duplicate is kept as written";
    EXPECT_EQ(written.size(), 30u) << "both replacement sets written back";
}

TEST_F(Startup, AnOpacityAboveHundredLeavesTheTextWindowOpaque) {
    setSetting(12, u"150/");
    ASSERT_TRUE(app.shell.Form_Load());
    EXPECT_EQ(app.replaceSets.getTranslucentIndex(), 0);
    EXPECT_TRUE(platform.opacity.empty());
    app.shell.Form_QueryUnload();
    EXPECT_EQ(folder.lines("vane.ini")[11].substr(0, 2), u"0/");
}

TEST_F(Startup, TheModeMenuCarriesTheListNames) {
    ASSERT_TRUE(app.shell.Form_Load());
    const auto& menu = app.forms.form1.mnuModeMenu;
    EXPECT_EQ(menu.mnuMode[0].caption(), u"ランチャー");
    EXPECT_EQ(menu.mnuMode[6].caption(), u"単語5");
    EXPECT_TRUE(menu.mnuMode[0].checked());
    EXPECT_FALSE(menu.mnuMode[1].checked());
    EXPECT_EQ(menu.mnuHotkey[2].caption(), u"単語1");
    EXPECT_TRUE(menu.mnuHotkey[6].visible());
    EXPECT_FALSE(menu.mnuExit.visible());
    EXPECT_TRUE(menu.mnuPopText.checked());
    EXPECT_FALSE(menu.mnuPopText.visible());
    EXPECT_FALSE(menu.mnuClipDuplicate.checked());
    EXPECT_EQ(menu.caption(), u"モード");
    EXPECT_EQ(menu.children.back()->caption(), u"終了");
}

TEST_F(Startup, EmptyHeaderKeysBecomeTheirMarkers) {
    ASSERT_TRUE(app.shell.Form_Load());
    EXPECT_EQ(app.lists.elementKey(2), u"あ");
    EXPECT_EQ(app.lists.cancelKeyLine(2), u"い");
    EXPECT_EQ(app.completion.cancelKey(2, 0), u"い");
    EXPECT_EQ(app.completion.cancelKey(2, 1), u"う");
}

TEST_F(Startup, WithBothSpecialListsDisabledItStartsOnWordListOne) {
    auto lines = standardSettings();
    lines[0] = u"False/";
    lines[1] = u"False/";
    folder.write("vane.ini", lines);
    ASSERT_TRUE(app.shell.Form_Load());
    const auto& menu = app.forms.form1.mnuModeMenu;
    EXPECT_EQ(app.completion.currentList(), 2);
    EXPECT_FALSE(menu.mnuMode[0].visible());
    EXPECT_FALSE(menu.mnuMode[1].visible());
    EXPECT_FALSE(menu.mnuClipDuplicate.visible());
    EXPECT_TRUE(menu.mnuMode[2].checked());
    EXPECT_FALSE(menu.mnuMode[1].checked());
    EXPECT_EQ(app.forms.form1.caption(), u"単語1 - Wordvane ");
    EXPECT_EQ(registeredKeys(), (std::set<int32_t>{82, 51, 52, 53, 54, 55}))
        << "the hotkeys of disabled lists are not registered";
}

TEST_F(Startup, WithOnlyTheLauncherDisabledItStartsOnTheClipboardList) {
    setSetting(1, u"false/");
    ASSERT_TRUE(app.shell.Form_Load());
    EXPECT_EQ(app.completion.currentList(), 1);
    EXPECT_TRUE(app.forms.form1.mnuModeMenu.mnuMode[1].checked());
    EXPECT_TRUE(app.forms.form1.mnuModeMenu.mnuClipDuplicate.visible());
}

TEST_F(Startup, AFailedWordListLeavesTheLaterListsUnloaded) {
    folder.write("WordList3.txt", {u"壊れた"});
    ASSERT_TRUE(app.shell.Form_Load());
    EXPECT_EQ(app.lists.loadedListCount, 4);
    const auto& menu = app.forms.form1.mnuModeMenu;
    for (size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(menu.mnuHotkey[i].visible(), i < 4) << i;
        EXPECT_EQ(menu.mnuMode[i].visible(), i < 4) << i;
    }
    EXPECT_EQ(app.lists.elementKey(3), u"あ");
    EXPECT_EQ(app.lists.elementKey(5), u"") << "header defaults only for loaded lists";
    EXPECT_EQ(registeredKeys(), (std::set<int32_t>{82, 49, 50, 51, 52}));
}

TEST_F(Startup, AFolderInPlaceOfAListFileCannotBeRead) {
    folder.remove("WordList2.txt");
    std::filesystem::create_directory(folder.path() + "/WordList2.txt");
    ASSERT_TRUE(app.shell.Form_Load());
    EXPECT_EQ(messageTexts().front(), u"ファイルWordList2.txtが読み取れませんでした。");
    EXPECT_EQ(app.lists.loadedListCount, 3);
}

TEST(CancelKeyLine, ItemsBecomeCancelKeysInTheirSlots) {
    FakePlatform platform("/nonexistent");
    App app(platform);
    app.completion.separateString(3, u"a,Return,up,Down, ,,xyz,.,ShiftSpace,shiftspace,left");
    std::vector<std::u16string> slots;
    for (int k = 0; k < 10; ++k) {
        slots.push_back(app.completion.cancelKey(3, k));
    }
    EXPECT_EQ(slots, (std::vector<std::u16string>{u"a", u"return", u"up", u"down", u" ", u"う",
                                                  u"う", u".", u"ShiftSpace", u"ShiftSpace"}));
    app.completion.separateString(3, u"Right,RIGHT");
    EXPECT_EQ(app.completion.cancelKey(3, 0), u"right");
    EXPECT_EQ(app.completion.cancelKey(3, 1), u"う");
    EXPECT_EQ(app.completion.cancelKey(3, 2), u"う") << "the trailing blank item";
    EXPECT_EQ(app.completion.cancelKey(3, 9), u"う");
}

}  // namespace
}  // namespace wordvane::test
