#include "ui/controls.h"

#include <gtest/gtest.h>

#include "ui/forms.h"

namespace wordvane::ui {
namespace {

TEST(ListBoxModel, TheSameLinesAgainAreNoNewLinesForTheWindow) {
    ListBox list;
    int changes = 0;
    list.setBinding([&] { ++changes; });
    list.setItems({u"a", u"b"});
    const uint64_t revision = list.itemsRevision();
    list.setListIndex(1);
    list.setItems({u"a", u"b"});
    EXPECT_EQ(list.itemsRevision(), revision) << "the window keeps its lines";
    EXPECT_EQ(list.listIndex(), -1) << "but the selection is cleared";
    list.setItems({u"a"});
    EXPECT_NE(list.itemsRevision(), revision);
    EXPECT_EQ(changes, 4);
}

TEST(TimerModel, ARestartIsANewStartEvenWhileRunning) {
    Timer timer;
    timer.setEnabled(true);
    const uint64_t started = timer.starts();
    timer.setEnabled(true);
    EXPECT_EQ(timer.starts(), started);
    timer.restart();
    EXPECT_EQ(timer.starts(), started + 1);
    EXPECT_TRUE(timer.enabled());
}

TEST(WindowModels, FormsNameTheirControlsAndMenusFindVisibleItems) {
    Forms forms;
    ASSERT_EQ(forms.form1.controls().size(), 5u);
    EXPECT_EQ(forms.form1.controls()[0].control, &forms.form1.List1);
    EXPECT_EQ(forms.form1.timers(), std::vector<Timer*>{&forms.form1.Timer1});
    EXPECT_EQ(forms.form1.focusedControl(), nullptr);
    forms.form8.Text1.setFocused(true);
    EXPECT_EQ(forms.form8.focusedControl(), &forms.form8.Text1);

    ModeMenu& menu = forms.form1.mnuModeMenu;
    EXPECT_EQ(menu.find(u"マウス位置"), &menu.mnuMousePos) << "found in a submenu";
    EXPECT_EQ(menu.find(u"終了"), nullptr) << "the exit item is hidden until the tray opens it";
    int closed = 0;
    forms.form4.setVisible(true);
    forms.form4.close();
    EXPECT_FALSE(forms.form4.visible()) << "a window without its own close handler hides";
    forms.form1.onClose = [&] { ++closed; };
    forms.form1.close();
    EXPECT_EQ(closed, 1);
}

}  // namespace
}  // namespace wordvane::ui
