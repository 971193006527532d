#include <gtest/gtest.h>

#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

class HotKeyDialogTest : public CompletionTest {
  protected:
    void SetUp() override { start(); }
    std::optional<int32_t> registeredKeyOf(int16_t id) const {
        const auto found = platform.registeredHotKeys.find(id);
        return found == platform.registeredHotKeys.end() ? std::nullopt
                                                         : std::optional(found->second.virtualKey);
    }
    // Opens the dialog for `mode`, chooses Ctrl (with Shift and Alt when
    // `all`) and `key`, and confirms.
    void change(int16_t mode, const std::u16string& key, bool all = false) {
        app.hotkeyDialog.open(mode);
        ui::Form6& form6 = app.forms.form6;
        form6.Check1.setChecked(all);
        form6.Check2.setChecked(true);
        form6.Check3.setChecked(all);
        form6.Check4.setChecked(false);
        ASSERT_TRUE(user.chooseComboEntry(key));
        platform.messageAnswers.push_back(kIdYes);
        form6.Command1.click();
    }
};

TEST_F(HotKeyDialogTest, ItShowsTheCurrentCombinationAndTakesANewOneAtOnce) {
    app.hotkeyDialog.open(2);
    ui::Form6& form6 = app.forms.form6;
    EXPECT_EQ(form6.caption(), u"単語1の変更 - Wordvane");
    EXPECT_TRUE(form6.Check1.checked() && form6.Check2.checked() && form6.Check3.checked());
    EXPECT_EQ(form6.Combo1.items()[static_cast<size_t>(form6.Combo1.listIndex())], u"3");
    EXPECT_EQ(form6.Combo1.items().size(), 74u);

    change(2, u"F5");
    EXPECT_FALSE(form6.visible());
    EXPECT_EQ(app.hotkeys.hotKeys()[2].pushedKey, 116);
    EXPECT_EQ(registeredKeyOf(app.hotkeys.listId(2)), 116);
}

TEST_F(HotKeyDialogTest, ACombinationAnotherProgramHoldsIsNeitherTakenNorKept) {
    platform.registeredHotKeys[9999] = FakePlatform::HotKey{0x99, kModControl, 'K'};
    change(3, u"K");
    EXPECT_EQ(messageTexts().back(),
              u"ホットキー「Ctrl+K」はほかのプログラムが使っているため設定できませんでした。");
    EXPECT_TRUE(app.forms.form6.visible());
    EXPECT_EQ(app.hotkeys.hotKeys()[3].pushedKey, 52) << "the old key stays";
    EXPECT_EQ(registeredKeyOf(app.hotkeys.listId(3)), 52);

    change(-1, u"K");
    EXPECT_EQ(app.hotkeys.popupCombination().key, 82);
    EXPECT_EQ(registeredKeyOf(app.hotkeys.popupId()), 82);
}

TEST_F(HotKeyDialogTest, DuplicatesWaitAndCompletionOffStoresForLater) {
    change(4, u"3", true);  // the combination of list 2's hotkey
    EXPECT_FALSE(app.hotkeys.hotKeys()[4].enabled);
    EXPECT_FALSE(app.hotkeys.listHotKeyRegistered(4));
    change(2, u"F6");
    EXPECT_TRUE(app.hotkeys.listHotKeyRegistered(4)) << "no longer a duplicate";

    app.forms.form1.mnuModeMenu.mnuOff.click();
    change(5, u"F7");
    EXPECT_FALSE(app.hotkeys.listHotKeyRegistered(5));
    app.forms.form1.mnuModeMenu.mnuMode[2].click();
    EXPECT_EQ(registeredKeyOf(app.hotkeys.listId(5)), 118);
}

}  // namespace
}  // namespace wordvane::test
