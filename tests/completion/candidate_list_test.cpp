#include <gtest/gtest.h>

#include "support/completion_fixture.h"
#include "ui/notice.h"
#include "ui/placement.h"

namespace wordvane::test {
namespace {

using Items = std::vector<std::u16string>;

class CandidateList : public CompletionTest {
  protected:
    // The word level after the start character and `typed`.
    void showWith(const std::u16string& typed) {
        user.press(kVkEscape);
        user.press(kVkEscape);
        user.type(u";" + typed);
    }
    // The elements of word "w", listed by themselves after it is typed.
    void openW() {
        showWith(u"w");
        user.tick(3);
        ASSERT_EQ(app.completion.openWord(), 0);
        ASSERT_EQ(shownItems(), (Items{u"one", u"two"}));
    }
};

TEST_F(CandidateList, FiltersByPrefixInListOrderCaseSensitively) {
    start(listFile(u"L", {{{u"abc", u"about abc"}}, {{u"x", u""}}, {{u"abd", u"about abd"}}}));
    showWith(u"ab");
    EXPECT_EQ(shownItems(), (Items{u"abc", u"abd"}));
    EXPECT_EQ(selected(), u"abc");
    EXPECT_EQ(app.forms.form1.Text1.text(), u"about abc");
    showWith(u"Ab");
    EXPECT_FALSE(app.forms.form1.visible()) << "no match hides the window";
}

TEST_F(CandidateList, ScreenReadersHearEachNewSelectionWithItsDescription) {
    start(listFile(u"L", {{{u"abc", u"about abc"}}, {{u"abd", u"about abd"}}}));
    showWith(u"ab");
    user.tick();
    user.hotkey(u"down");
    user.tick(2);
    user.hotkey(u"up");
    user.tick(2);
    using Heard = std::vector<std::pair<int, std::u16string>>;
    EXPECT_EQ(platform.announcements,
              (Heard{{0, u"abc、about abc"}, {1, u"abd、about abd"}, {0, u"abc、about abc"}}))
        << "once a change, not once a tick";
}

TEST_F(CandidateList, AnExactMatchAmongOthersWaitsForConfirmationUnlessTheRFlagIsSet) {
    auto list = listFile(u"L", {{{u"ab", u"x"}, {u"e", u"1"}}, {{u"abc", u"y"}}});
    start(list);
    showWith(u"ab");
    EXPECT_EQ(shownItems(), (Items{u"ab", u"abc"}));
    EXPECT_EQ(app.completion.shownText(), u"ab");
    EXPECT_EQ(app.completion.openWord(), -1);

    app.lists.replaceAbbrev[2] = true;
    showWith(u"ab");
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_EQ(app.completion.openWord(), 0);
    user.tick(3);
    EXPECT_EQ(shownItems(), (Items{u"e"})) << "its elements follow";
}

TEST_F(CandidateList, AnExactElementEndsTheCycleOrStaysOnTheWordWithCancelKeys) {
    auto list = listFile(u"L", {{{u"w", u"word"}, {u"one", u"1"}, {u"two", u"2"}}});
    start(list);
    openW();
    user.type(u"one");
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_EQ(app.completion.openWord(), -1) << "no cancel keys: back to the word level";

    app.lists.cancelKeyLine(2) = u".";
    openW();
    user.type(u"two");
    EXPECT_EQ(app.completion.openWord(), 0) << "with cancel keys the word stays open";
    EXPECT_EQ(app.completion.typedText(), u"");
    user.tick(3);
    EXPECT_EQ(shownItems(), (Items{u"one", u"two"})) << "and its elements come back";
    user.type(u"t");
    EXPECT_EQ(shownItems(), (Items{u"two"}));
    EXPECT_EQ(app.forms.form1.Text1.text(), u"2");
}

TEST_F(CandidateList, AWordWithoutCandidatesIsNotLeftOpen) {
    start(listFile(u"L", {{{u"solo", u"no elements"}}}));
    showWith(u"solo");
    EXPECT_EQ(app.completion.openWord(), -1);
    EXPECT_EQ(app.completion.pendingKey(), u"");
}

TEST_F(CandidateList, TheClipboardHistoryOpensOnItsNewestEntry) {
    start();
    user.listHotkey(1);
    user.tick();
    EXPECT_EQ(app.forms.form1.List1.listIndex(), 2);
    EXPECT_EQ(app.forms.form1.Text1.text(), u"まだ入っていません。");
}

TEST_F(CandidateList, AnEmptyListStaysHidden) {
    start(listFile(u"L", {{}}));
    app.lists.wordLists[2] = WordListClass();
    showWith(u"");
    EXPECT_FALSE(app.forms.form1.visible());
}

TEST_F(CandidateList, NavigationHotkeysAreRegisteredExactlyWhileShown) {
    start();
    const size_t resident = platform.registeredHotKeys.size();
    showWith(u"");
    EXPECT_EQ(platform.registeredHotKeys.size(), resident + 13);
    platform.foreground = 0x77;
    app.completion.form_visible(false);
    EXPECT_EQ(platform.registeredHotKeys.size(), resident);
    EXPECT_EQ(platform.foreground, 0x77u) << "the user's window keeps the keyboard";
}

TEST_F(CandidateList, TheWindowOpensAtTheCaretAndStaysOnTheScreen) {
    start();
    ui::Form1& form1 = app.forms.form1;
    platform.carets[CaretSource::ThreadInfo] = Caret{{100, 200}, u"Edit"};
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.left(), 100 * 15);
    EXPECT_EQ(form1.top(), 220 * 15);
    EXPECT_EQ(app.forms.form8.top(), form1.top() - app.forms.form8.height())
        << "the box shows whole";

    platform.carets[CaretSource::ThreadInfo] = Caret{{1900, 1050}, u"Edit"};
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.left(), 1920 * 15 - form1.width()) << "pushed left at the right edge";
    EXPECT_EQ(form1.top(), 1070 * 15 - 300 - form1.height()) << "above the line at the bottom";

    platform.carets[CaretSource::ThreadInfo] = Caret{{100, 200}, u"Text Editor Window"};
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.top(), (200 + 85 + 20) * 15);

    platform.carets[CaretSource::ThreadInfo] = Caret{{100, 200}, u"Edit", 30};
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.top(), (200 + 30 + 2) * 15) << "below the caret's bottom when it is known";
    platform.carets[CaretSource::ThreadInfo] = Caret{{100, 1040}, u"Edit", 30};
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.top(), 1040 * 15 - form1.height()) << "above its top at the bottom";
}

TEST_F(CandidateList, TheCaretComesFromTheFirstSourceThatKnowsItAndElseFromThePointer) {
    start();
    ui::Form1& form1 = app.forms.form1;
    platform.cursor = {700, 500};
    platform.carets[CaretSource::Automation] = Caret{{300, 400}, u"Chrome_RenderWidgetHostHWND"};
    app.completion.setWindowPosision();
    EXPECT_EQ(platform.caretQuestions,
              (std::vector<CaretSource>{kCaretSources, kCaretSources + 3}));
    EXPECT_EQ(form1.left(), 300 * 15);

    platform.caretQuestions.clear();
    platform.carets[CaretSource::ThreadInfo] = Caret{{100, 200}, u"Edit"};
    app.completion.setWindowPosision();
    EXPECT_EQ(platform.caretQuestions, (std::vector<CaretSource>{CaretSource::ThreadInfo}));
    EXPECT_EQ(form1.left(), 100 * 15);

    platform.carets.clear();
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.left(), 700 * 15) << "no caret anywhere: the pointer";
    EXPECT_EQ(form1.top(), 520 * 15);
}

// A laptop at 100 % with a second monitor at 150 % to its right, its task
// bar at the bottom.
TEST_F(CandidateList, OnASecondMonitorTheWindowsTakeItsDpiAndStayInItsWorkArea) {
    platform.monitors.push_back(Monitor{{1920, 0, 4480, 1440}, {1920, 0, 4480, 1380}, 144});
    start();
    ui::Form1& form1 = app.forms.form1;
    const auto inWorkArea = [&](const ui::Window& window) {
        const Rect r = ui::pixelRect(window, platform);
        return r.left >= 1920 && r.right <= 4480 && r.top >= 0 && r.bottom <= 1380;
    };
    platform.carets[CaretSource::ThreadInfo] = Caret{{4470, 1370}, u"Edit"};
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.dpi(), 144);
    EXPECT_TRUE(inWorkArea(form1));
    EXPECT_EQ(ui::pixelRect(form1, platform).right, 4480) << "pushed left to the edge";
    EXPECT_EQ(app.forms.form8.dpi(), 144);
    EXPECT_TRUE(inWorkArea(app.forms.form8));

    platform.carets[CaretSource::ThreadInfo] = Caret{{2000, 10}, u"Edit"};
    app.completion.setWindowPosision();
    EXPECT_EQ(ui::pixelRect(form1, platform).left, 2000);
    EXPECT_EQ(ui::pixelRect(form1, platform).top, 10 + 30) << "20 pixels at 96 dpi are 30 here";
    EXPECT_TRUE(inWorkArea(app.forms.form8)) << "the filter box stays on the screen above it";

    form1.mnuModeMenu.mnuMousePos.click();
    platform.cursor = {4400, 1400};
    app.completion.setWindowPosision();
    EXPECT_TRUE(inWorkArea(form1));
    EXPECT_EQ(ui::pixelRect(form1, platform).right - ui::pixelRect(form1, platform).left,
              380 * 3 / 2)
        << "the middle list's 380 pixels at 150 %";
    platform.cursor = {1925, 5};
    app.completion.setWindowPosision();
    EXPECT_TRUE(inWorkArea(form1)) << "not off the monitor's left or top";

    ui::Notice notice(app.forms.form2);
    notice.showAtPointer(u"失敗しました", platform);
    EXPECT_EQ(app.forms.form2.dpi(), 144);
    EXPECT_TRUE(inWorkArea(app.forms.form2));

    platform.cursor = {300, 400};
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.dpi(), 96);
    EXPECT_EQ(ui::pixelRect(form1, platform).left, 250) << "back on the laptop's screen";
}

TEST_F(CandidateList, AtTheMouseTheWindowTakesTheListsSize) {
    start();
    ui::Form1& form1 = app.forms.form1;
    form1.mnuModeMenu.mnuMousePos.click();
    EXPECT_FALSE(form1.mnuModeMenu.mnuCaretPos.checked());
    platform.cursor = {300, 400};
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.left(), 250 * 15);
    EXPECT_EQ(form1.top(), 380 * 15);
    EXPECT_EQ(form1.width(), 380 * 15) << "middle size";
    platform.cursor = {1910, 1075};
    app.completion.setWindowPosision();
    EXPECT_EQ(form1.left(), 1920 * 15 - 380 * 15 - 200);
    EXPECT_EQ(form1.top(), 1080 * 15 - 211 * 15 - 200);
}

TEST_F(CandidateList, DisplaySizesLayTheWindowOut) {
    start();
    ui::Form1& form1 = app.forms.form1;
    for (auto [size, width, textWidth] : {std::tuple{0, 2880, 3100}, std::tuple{2, 8475, 5900}}) {
        app.lists.listDisplaySize[2] = static_cast<int16_t>(size);
        app.completion.setWindowSize();
        EXPECT_EQ(form1.width(), width);
        EXPECT_EQ(form1.Text1.width(), textWidth);
    }
    EXPECT_EQ(form1.Command2.left(), 7440);
}

}  // namespace
}  // namespace wordvane::test
