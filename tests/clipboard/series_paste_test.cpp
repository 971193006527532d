#include <gtest/gtest.h>

#include "lists/decimal_text.h"
#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

using Texts = std::vector<std::u16string>;

// A clipboard history of entries h2 (newest) to h7 with a separator at 5.
class SeriesPasteTest : public CompletionTest {
  protected:
    void SetUp() override {
        start();
        auto& words = app.lists.words(kClipboardList);
        for (int i = 0; i < 4; ++i) {
            app.lists.addWord(kClipboardList, -1, u"", u"");
        }
        for (int16_t w = 2; w <= 7; ++w) {
            words.changeString(w, 0, u"label", u"h" + toDecimal(w));
        }
        words.changeString(5, 0, u"--------------------12:00", u"2026/12/07 12:00");
        useList(kClipboardList);
        app.completion.showList();
    }
    void insertOn(int line) {
        app.forms.form1.List1.click(static_cast<int16_t>(line));
        user.hotkey(u"insert");
    }
    // What each Ctrl+V pastes until the run ends.
    Texts pastes() {
        Texts pasted;
        for (int i = 0; i < 10 && app.series.active(); ++i) {
            pasted.push_back(platform.clipboard.value_or(u""));
            user.press('V', false, true);
        }
        return pasted;
    }
};

TEST_F(SeriesPasteTest, TwoInsertsRunEitherWayPassingSeparators) {
    insertOn(7);
    EXPECT_EQ(app.forms.form1.caption(), u"最初の項目が選択されました - Wordvane");
    insertOn(3);
    EXPECT_EQ(pastes(), (Texts{u"h7", u"h6", u"h4", u"h3"}));

    useList(kClipboardList);
    app.completion.showList();
    insertOn(4);
    insertOn(4);  // the same entry twice: up to the newest
    EXPECT_EQ(pastes(), (Texts{u"h4", u"h3", u"h2"}));
}

TEST_F(SeriesPasteTest, AnotherListOrAnEmptyEntryEndsIt) {
    insertOn(7);
    useList(2);
    app.completion.showList();
    insertOn(0);
    EXPECT_EQ(messageTexts().back(), u"連続貼り付けは同じリスト内でしか行えません");
    EXPECT_FALSE(app.series.active());

    useList(kClipboardList);
    app.lists.words(kClipboardList).changeString(3, 0, u"label", u"");
    app.completion.showList();
    app.forms.form1.List1.click(4);
    app.forms.form1.mnuListMenu.mnuClipSeriese.click();
    EXPECT_EQ(platform.clipboard, u"h4");
    user.press('V', false, true);
    EXPECT_FALSE(app.series.active()) << "an empty entry is never pasted";
    EXPECT_EQ(app.forms.form2.Label1.caption(), u"失敗しました");
}

}  // namespace
}  // namespace wordvane::test
