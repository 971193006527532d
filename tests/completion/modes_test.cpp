#include <gtest/gtest.h>

#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

using Keys = std::vector<std::pair<int, bool>>;

class ModesTest : public CompletionTest {
  protected:
    int16_t mode() const { return app.completion.currentList(); }
    bool listHotkeysRegistered() const {
        return platform.registeredHotKeys.contains(app.hotkeys.listId(2));
    }
};

TEST_F(ModesTest, HomeAndEndCycleOverTheLoadedEnabledLists) {
    start();
    app.lists.settings.listEnabled = {false, false};
    useList(6);
    app.modes.setNextMode();
    EXPECT_EQ(mode(), 2);
    app.modes.setBackMode();
    EXPECT_EQ(mode(), 6);
    EXPECT_EQ(app.forms.form1.caption(), u"単語5 - Wordvane ");
    EXPECT_TRUE(app.forms.form1.mnuModeMenu.mnuMode[6].checked());
    EXPECT_FALSE(app.forms.form1.mnuModeMenu.mnuMode[2].checked());
    EXPECT_TRUE(app.completion.reshowListPending());

    // Start-up read four lists: the last one is list 3.
    app.lists.loadedListCount = 4;
    app.lists.settings.listEnabled = {true, true};
    useList(3);
    app.modes.setNextMode();
    EXPECT_EQ(mode(), 0);
    EXPECT_TRUE(app.forms.form8.visible()) << "the launcher's filter box opens";
    EXPECT_TRUE(app.forms.form8.Text1.focused());
    app.modes.setBackMode();
    EXPECT_EQ(mode(), 3);
    EXPECT_FALSE(app.forms.form8.visible());
}

// Leaving the launcher, whose filter box had the keyboard, gives it back to
// the application the list was opened over.
// The system lets the program take the foreground only while it handles the
// user's input: the filter box takes it inside the hotkey, no keeper of the
// list's placement gives it away, and it goes back to the application.
TEST_F(ModesTest, TheLauncherBoxHasTheKeyboardWhileItIsOpen) {
    start();
    user.listHotkey(kLauncherList);
    user.tick();
    ASSERT_TRUE(app.forms.form8.visible());
    EXPECT_EQ(platform.foreground, app.forms.form8.handle());
    EXPECT_EQ(platform.foregroundRefused, 0);
    // The box takes the navigation keys itself, so that its IME has them
    // for its candidates: no navigation hotkey while it has the keyboard.
    for (const auto& [id, hotKey] : platform.registeredHotKeys) {
        EXPECT_NE(hotKey.virtualKey, kVkReturn) << id;
        EXPECT_NE(hotKey.virtualKey, kVkDown) << id;
    }
    // End, typed into the box, does what its hotkey does: the next list.
    user.hotkey(u"end");
    EXPECT_EQ(platform.foreground, 0x42u) << "leaving it, not the next window in Z-order";
    user.tick();

    user.hotkey(u"home");  // back into the launcher from the next list
    EXPECT_EQ(platform.foreground, app.forms.form8.handle());
    user.imeCommit(u"ずず");  // Return commits the composition: nothing opens
    EXPECT_EQ(app.forms.form8.Text1.text(), u"ずず");
    EXPECT_TRUE(platform.shellOpened.empty());
    user.tick(3);
    user.press(kVkEscape);
    user.tick(2);
    EXPECT_FALSE(app.forms.form8.visible());
    EXPECT_EQ(platform.foreground, 0x42u);
}

TEST_F(ModesTest, TheBalloonNamesTheModeForItsTicks) {
    start();
    app.lists.settings.balloonTime = 3;
    app.forms.form1.place(3000, 6000, 2800, 3900);
    app.modes.setNextMode();
    EXPECT_TRUE(app.forms.form7.visible());
    EXPECT_EQ(app.forms.form7.Label1.caption(), u"単語2");
    EXPECT_EQ(app.forms.form7.top(), 6000 - 780);
    EXPECT_EQ(app.forms.form7.left(), 3000 + 400);
    user.tick(2);
    EXPECT_TRUE(app.forms.form7.visible());
    user.tick();
    EXPECT_FALSE(app.forms.form7.visible());

    app.forms.form1.setTop(0);
    app.modes.setNextMode();
    EXPECT_EQ(app.forms.form7.top(), 0) << "at the top of the screen it stays on it";
    user.tick(3);

    app.lists.settings.balloonTime = 0;
    app.modes.setNextMode();
    EXPECT_FALSE(app.forms.form7.visible());
}

TEST_F(ModesTest, CompletionOffSilencesTheListHotkeysUntilAModeIsChosen) {
    start();
    auto& menu = app.forms.form1.mnuModeMenu;
    menu.mnuOff.click();
    EXPECT_FALSE(listHotkeysRegistered());
    EXPECT_FALSE(menu.mnuMode[2].checked());
    user.type(u";");
    EXPECT_FALSE(app.forms.form1.visible());
    menu.mnuMode[4].click();
    EXPECT_FALSE(menu.mnuOff.checked());
    EXPECT_TRUE(listHotkeysRegistered());
    EXPECT_EQ(mode(), 4);
    EXPECT_TRUE(menu.mnuMode[4].checked());
}

class DoubleCtrlTest : public ModesTest {
  protected:
    void SetUp() override {
        start();
        app.lists.settings.doubleCtrlWait = 30;
    }
    void ctrlTap() {
        platform.keysDown.insert(kVkControl);
        user.tick();
        platform.keysDown.erase(kVkControl);
        user.tick();
    }
    Keys sent() {
        Keys keys;
        for (const auto& key : platform.sentKeys) {
            keys.push_back(key);
        }
        platform.sentKeys.clear();
        return keys;
    }
};

TEST_F(DoubleCtrlTest, TwoPressesSelectAndEachFurtherPressExtends) {
    ctrlTap();
    EXPECT_TRUE(sent().empty());
    platform.keysDown.insert(kVkControl);
    user.tick();
    EXPECT_TRUE(sent().empty()) << "nothing goes out while Ctrl is held";
    platform.keysDown.erase(kVkControl);
    user.tick();
    EXPECT_EQ(sent(), (Keys{{kVkLeft, false},
                            {kVkLeft, true},
                            {kVkShift, false},
                            {kVkRight, false},
                            {kVkRight, true},
                            {kVkShift, true}}));
    ctrlTap();
    EXPECT_EQ(sent(),
              (Keys{{kVkShift, false}, {kVkRight, false}, {kVkRight, true}, {kVkShift, true}}));
}

TEST_F(DoubleCtrlTest, PressesTooFarApartOrWithAKeyBetweenDoNothing) {
    ctrlTap();
    user.tick(31);
    ctrlTap();
    EXPECT_TRUE(sent().empty());
    user.tick(31);
    user.press('C', false, true);  // Ctrl+C, then Ctrl+V
    user.press('V', false, true);
    EXPECT_TRUE(sent().empty());
}

}  // namespace
}  // namespace wordvane::test
