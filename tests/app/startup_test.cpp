#include "app/startup.h"

#include <gtest/gtest.h>

#include "completion/cancel_keys.h"
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
    EXPECT_FALSE(Form_Load(app));
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
    EXPECT_FALSE(Form_Load(app));
    EXPECT_EQ(messageTexts(), std::vector<std::u16string>{
                                  u"iniファイルの読み取りに失敗しました。\r\n起動を中止します。"});
    EXPECT_EQ(app.lists.listNames[0], u"");
    EXPECT_FALSE(platform.trayIconShown);
    EXPECT_TRUE(platform.writtenFiles.empty());
}

TEST_F(Startup, TheProgramBecomesResidentWithHiddenTopmostWindows) {
    ASSERT_TRUE(Form_Load(app));
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
    EXPECT_TRUE(app.hotkeys.hooked);
    EXPECT_EQ(registeredKeys(), (std::set<int32_t>{82, 49, 50, 51, 52, 53, 54, 55}));
    for (const auto& [id, hotKey] : platform.registeredHotKeys) {
        EXPECT_EQ(hotKey.window, form1.handle());
        EXPECT_EQ(hotKey.modifiers, 7);
    }
    EXPECT_EQ(platform.atomReferences.count(u"HOTKEY_POPUPMENU"), 1u);
    EXPECT_EQ(platform.atomReferences.count(u"HOTKEY_DECIDE6"), 1u);
    EXPECT_EQ(form1.width(), 5730) << "laid out for the middle display size";
    EXPECT_EQ(form1.Text1.left(), 2800);
    EXPECT_EQ(app.completion.openWord, -1);
    EXPECT_EQ(app.completion.separatorLabel, u"-----------------------------");
    EXPECT_EQ(app.completion.screenWidthPx, 1920);
}

TEST_F(Startup, TheModeMenuCarriesTheListNames) {
    ASSERT_TRUE(Form_Load(app));
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
    ASSERT_TRUE(Form_Load(app));
    EXPECT_EQ(app.lists.elementKey(2), u"あ");
    EXPECT_EQ(app.lists.cancelKeyLine(2), u"い");
    EXPECT_EQ(app.completion.cancelKeys[0 * 7 + 2], u"い");
    EXPECT_EQ(app.completion.cancelKeys[1 * 7 + 2], u"う");
}

TEST_F(Startup, WithBothSpecialListsDisabledItStartsOnWordListOne) {
    auto lines = standardSettings();
    lines[0] = u"False/";
    lines[1] = u"False/";
    folder.write("vane.ini", lines);
    ASSERT_TRUE(Form_Load(app));
    const auto& menu = app.forms.form1.mnuModeMenu;
    EXPECT_EQ(app.lists.currentList, 2);
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
    ASSERT_TRUE(Form_Load(app));
    EXPECT_EQ(app.lists.currentList, 1);
    EXPECT_TRUE(app.forms.form1.mnuModeMenu.mnuMode[1].checked());
    EXPECT_TRUE(app.forms.form1.mnuModeMenu.mnuClipDuplicate.visible());
}

TEST_F(Startup, AFailedWordListLeavesTheLaterListsUnloaded) {
    folder.write("WordList3.txt", {u"壊れた"});
    ASSERT_TRUE(Form_Load(app));
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

TEST(CancelKeyLine, ItemsBecomeCancelKeysInTheirSlots) {
    FakePlatform platform("/nonexistent");
    App app(platform);
    separateString(app, 3, u"a,Return,up,Down, ,,xyz,.,ShiftSpace,shiftspace,left");
    std::vector<std::u16string> slots;
    for (size_t k = 0; k < 10; ++k) {
        slots.push_back(app.completion.cancelKeys[k * 7 + 3]);
    }
    EXPECT_EQ(slots, (std::vector<std::u16string>{u"a", u"return", u"up", u"down", u" ", u"う",
                                                  u"う", u".", u"ShiftSpace", u"ShiftSpace"}));
    separateString(app, 3, u"Right,RIGHT");
    EXPECT_EQ(app.completion.cancelKeys[3], u"right");
    EXPECT_EQ(app.completion.cancelKeys[7 + 3], u"う");
    EXPECT_EQ(app.completion.cancelKeys[2 * 7 + 3], u"う") << "the trailing blank item";
    EXPECT_EQ(app.completion.cancelKeys[9 * 7 + 3], u"う");
}

}  // namespace
}  // namespace wordvane::test
