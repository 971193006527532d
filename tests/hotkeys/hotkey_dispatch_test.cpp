
#include <gtest/gtest.h>

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
    useList(0);
    platform.carets[CaretSource::ThreadInfo] = Caret{{40, 50}, u"Edit"};
    user.listHotkey(3);
    EXPECT_EQ(app.completion.currentList(), 3);
    EXPECT_EQ(app.forms.form1.caption(), u"単語2") << "the list name alone";
    EXPECT_EQ(app.forms.form1.left(), 40 * 15);
    user.tick();
    EXPECT_EQ(shownItems(), (Items{u"ab", u"ac"}));
    EXPECT_TRUE(app.completion.forcedList());
}

TEST_F(HotKeys, TheHotkeyOfTheCurrentListStillShowsIt) {
    start();
    user.listHotkey(2);
    user.tick();
    user.press(kVkEscape);
    app.forms.form1.setCaption(u"unchanged");
    user.listHotkey(2);
    EXPECT_EQ(app.completion.currentList(), 2);
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

TEST_F(HotKeys, TheHotkeyAfterAnInsertionIsTakenAndNoneOnceUnhooked) {
    start();
    user.type(u";a");
    ASSERT_EQ(selected(), u"ab");
    user.hotkey(u"tab");
    user.tick(3);
    ASSERT_EQ(shownItems(), (Items{u"apple", u"apricot"}));
    EXPECT_EQ(selected(), u"apple");
    user.hotkey(u"down");
    EXPECT_EQ(selected(), u"apricot");
    app.hotkeys.unhookWindow();
    user.hotkey(u"down");
    EXPECT_EQ(selected(), u"apricot") << "nothing is dispatched once unhooked";
}

TEST_F(HotKeys, DuplicateCombinationsKeepOnlyTheLowestIndexAndDisabledListsStayFree) {
    start();
    const auto& hotKeys = app.hotkeys.hotKeys();
    app.hotkeys.deleteShowHotKey();
    app.hotkeys.setHotKeyNumber(4, hotKeys[2].prePushHotKey, hotKeys[2].pushedKey);
    app.lists.settings.listEnabled[0] = false;
    app.hotkeys.setEnableHotkey();
    EXPECT_FALSE(hotKeys[4].enabled);
    app.hotkeys.setShowHotKey();
    EXPECT_EQ(registeredKeys(), (std::set<int32_t>{82, 50, 51, 52, 54, 55}));
    EXPECT_TRUE(hotKeys[0].enabled) << "entry 0 stays enabled though not registered";

    // A message for an entry that has become a duplicate since it was
    // registered falls back to list 0.
    app.hotkeys.setHotKeyNumber(5, hotKeys[3].prePushHotKey, hotKeys[3].pushedKey);
    app.hotkeys.setEnableHotkey();
    useList(6);
    user.listHotkey(5);
    EXPECT_EQ(app.completion.currentList(), 0);
}

TEST_F(HotKeys, ThePopupHotkeyCanBeChangedAndASettingIsStoredWithoutRegistering) {
    start();
    app.hotkeys.changePopupHotkey(kModAlt, 'Q');
    bool found = false;
    for (const auto& [id, hotKey] : platform.registeredHotKeys) {
        const int32_t modifiers = hotKey.modifiers & ~kModNoRepeat;
        found = found || (modifiers == kModAlt && hotKey.virtualKey == 'Q');
        EXPECT_FALSE(hotKey.virtualKey == 82 && modifiers == 7) << "the old one is gone";
    }
    EXPECT_TRUE(found);
    app.hotkeys.setHotKeyNumber(3, kModControl, 'K');
    EXPECT_EQ(app.hotkeys.hotKeys()[3].pushedKey, 'K');
    EXPECT_EQ(registeredKeys().count('K'), 0u);
}

TEST_F(HotKeys, AListHotkeyLeavesTheOpenedWordOfTheOldListBehind) {
    // Word list 1 has three words; word list 2 only ab and ac.
    start(listFile(u"L", {{{u"a", u"1"}}, {{u"b", u"2"}}, {{u"c", u"3"}, {u"c1", u"x"}}}));
    user.type(u";c");
    user.tick(3);
    ASSERT_EQ(shownItems(), (Items{u"c1"}));
    user.listHotkey(3);
    user.tick();
    EXPECT_EQ(app.completion.openWord(), -1);
    EXPECT_EQ(shownItems(), (Items{u"ab", u"ac"})) << "the new list's words, not c's elements";

    // With the old word open but its list hidden, the new list, shorter than
    // the old word's index, opens at its word level.
    user.listHotkey(2);
    user.tick();
    user.type(u"c");
    user.tick(3);
    user.type(u"z");
    ASSERT_FALSE(app.forms.form1.visible());
    ASSERT_EQ(app.completion.openWord(), 2);
    EXPECT_NO_THROW(user.listHotkey(3));
    EXPECT_NO_THROW(user.tick(3));
    EXPECT_EQ(shownItems(), (Items{u"ab", u"ac"}));
    user.hotkey(u"tab");
    EXPECT_EQ(app.completion.openWord(), 0) << "Tab opens the new list's word";
}

}  // namespace
}  // namespace wordvane::test
