#include "hotkeys/hotkey_dispatch.h"

#include <gtest/gtest.h>

#include "completion/candidate_list.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/decimal_text.h"
#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

using Items = std::vector<std::u16string>;

class HotKeys : public CompletionTest {
  protected:
    std::set<int32_t> registeredKeys() const {
        std::set<int32_t> keys;
        for (const auto& [id, hotKey] : platform.registeredHotKeys) {
            keys.insert(hotKey.virtualKey);
        }
        return keys;
    }
};

TEST_F(HotKeys, AListHotkeySwitchesTheListAndOpensItsWordLevel) {
    start();
    app.lists.currentList = 0;
    platform.caretAt = Caret{{40, 50}, u"Edit"};
    user.listHotkey(3);
    EXPECT_EQ(app.lists.currentList, 3);
    EXPECT_EQ(app.forms.form1.caption(), u"単語2") << "the list name alone";
    EXPECT_EQ(app.forms.form1.left(), 40 * 15);
    user.tick();
    EXPECT_EQ(shownItems(), (Items{u"ab", u"ac"}));
    EXPECT_TRUE(app.completion.forcedList);
}

TEST_F(HotKeys, TheHotkeyOfTheCurrentListStillShowsIt) {
    start();
    user.listHotkey(2);
    user.tick();
    user.press(kVkEscape);
    app.forms.form1.setCaption(u"unchanged");
    user.listHotkey(2);
    EXPECT_EQ(app.lists.currentList, 2);
    EXPECT_EQ(app.forms.form1.caption(), u"unchanged");
    user.tick();
    EXPECT_TRUE(app.forms.form1.visible());
}

TEST_F(HotKeys, SingleStepsWrapAndPagesStopAtTheEnds) {
    std::vector<Word> words;
    for (int i = 0; i < 20; ++i) {
        words.push_back({{u"w" + toDecimal(100 + i), u"account " + toDecimal(i)}});
    }
    start(listFile(u"L", words));
    user.type(u";");
    ASSERT_EQ(app.forms.form1.List1.listCount(), 20);
    user.hotkey(u"up");
    EXPECT_EQ(selected(), u"w119");
    EXPECT_EQ(app.forms.form1.Text1.text(), u"account 19");
    user.hotkey(u"down");
    EXPECT_EQ(selected(), u"w100");
    user.hotkey(u"pagedown");
    EXPECT_EQ(selected(), u"w115");
    user.hotkey(u"pagedown");
    EXPECT_EQ(selected(), u"w119");
    user.hotkey(u"pageup");
    EXPECT_EQ(selected(), u"w104");
    user.hotkey(u"pageup");
    EXPECT_EQ(selected(), u"w100");
}

TEST_F(HotKeys, WhileHiddenTheNavigationKeysReachTheApplication) {
    start();
    EXPECT_FALSE(user.hotkey(u"down") && app.forms.form1.visible());
    user.type(u"x");
    user.press(kVkLeft);
    user.type(u"y");
    EXPECT_EQ(user.applicationText(), u"yx");
}

TEST_F(HotKeys, AHotkeyDuringAnotherHandlerIsDropped) {
    start();
    user.type(u";");
    ASSERT_EQ(selected(), u"ab");
    app.hotkeys.inHotKey = true;
    user.hotkey(u"down");
    EXPECT_EQ(selected(), u"ab");
    app.hotkeys.inHotKey = false;
    user.hotkey(u"down");
    EXPECT_EQ(selected(), u"ac");
    app.hotkeys.hooked = false;
    user.hotkey(u"down");
    EXPECT_EQ(selected(), u"ac") << "nothing is dispatched once unhooked";
}

TEST_F(HotKeys, DuplicateCombinationsKeepOnlyTheLowestIndexAndDisabledListsStayFree) {
    start();
    auto& hotKeys = app.hotkeys.hotKeys;
    deleteShowHotKey(app);
    hotKeys[4] = hotKeys[2];
    app.settings.listEnabled[0] = false;
    setEnableHotkey(app);
    EXPECT_FALSE(hotKeys[4].enabled);
    setShowHotKey(app);
    EXPECT_EQ(registeredKeys(), (std::set<int32_t>{82, 50, 51, 52, 54, 55}));
    EXPECT_TRUE(hotKeys[0].enabled) << "entry 0 stays enabled though not registered";

    // A message for an entry that has become a duplicate falls back to list 0.
    app.hotkeys.listHotKeyIds[4] = 4444;
    app.lists.currentList = 5;
    hotKeyWndProc(app, 4444);
    EXPECT_EQ(app.lists.currentList, 0);
}

TEST_F(HotKeys, ThePopupHotkeyCanBeChangedAndASettingIsStoredWithoutRegistering) {
    start();
    changePopupHotkey(app, kModAlt, 'Q');
    bool found = false;
    for (const auto& [id, hotKey] : platform.registeredHotKeys) {
        found = found || (hotKey.modifiers == kModAlt && hotKey.virtualKey == 'Q');
        EXPECT_FALSE(hotKey.virtualKey == 82 && hotKey.modifiers == 7) << "the old one is gone";
    }
    EXPECT_TRUE(found);
    setHotKeyNumber(app, 3, kModControl, 'K');
    EXPECT_EQ(app.hotkeys.hotKeys[3].pushedKey, 'K');
    EXPECT_EQ(registeredKeys().count('K'), 0u);
}

}  // namespace
}  // namespace wordvane::test
