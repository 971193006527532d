#include "lists/word_list.h"

#include <gtest/gtest.h>

namespace wordvane {
namespace {

TEST(StrArray, LengthIsTheHighestIndexAndDroppedRowsAreReused) {
    StrArray word;
    EXPECT_EQ(word.length(), -1);
    EXPECT_EQ(word.getString(0, 0), u"");
    word.setString(u"a", u"b");
    EXPECT_EQ(word.length(), 0);
    EXPECT_EQ(word.getString(0, 1), u"b");
    word.setString(u"c", u"d");
    word.decrementArrayLength();
    EXPECT_EQ(word.getString(1, 0), u"") << "a dropped element is never returned";
    word.setString(u"e", u"f");
    EXPECT_EQ(word.getString(1, 0), u"e");
    EXPECT_EQ(word.getString(1, 1), u"f");
}

TEST(StrArray, IndicesAboveLengthAreIgnoredButMisuseThrows) {
    StrArray word;
    word.setString(u"a", u"b");
    word.changeString(5, u"x", u"y");
    EXPECT_EQ(word.getString(0, 0), u"a");
    EXPECT_THROW(word.getString(-1, 0), ListStoreError);
    EXPECT_THROW(word.getString(0, 2), ListStoreError);
    EXPECT_THROW(word.changeName(1, u"z"), ListStoreError);
}

TEST(WordListClass, SetLengthCreatesEmptyWordsAndTheCursorAppends) {
    WordListClass list;
    list.setLength(3);
    EXPECT_EQ(list.getWordLength(), 2);
    for (int16_t w = 0; w <= 2; ++w) {
        EXPECT_EQ(list.getElementLength(w), -1);
    }
    list.nextIndex();
    list.nextIndex();
    list.setString(u"n", u"a");
    EXPECT_EQ(list.getElementLength(2), 0);
    EXPECT_EQ(list.getString(2, 0, 0), u"n");
    // The slot above the last word exists but holds no word.
    EXPECT_THROW(list.getElementLength(3), ListStoreError);
    EXPECT_THROW(list.getElementLength(4), ListStoreError);
}

TEST(WordListClass, SetLengthZeroLeavesNoWordUntilAddNewString) {
    WordListClass list;
    list.setLength(0);
    EXPECT_EQ(list.getWordLength(), -1);
    EXPECT_THROW(list.setString(u"a", u"b"), ListStoreError);
    list.addNewString(u"a", u"b");
    EXPECT_EQ(list.getWordLength(), 0);
    EXPECT_EQ(list.getString(0, 0, 1), u"b");
}

TEST(WordListClass, NegativeCountFailsAfterSettingTheLastWord) {
    WordListClass list;
    EXPECT_THROW(list.setLength(-2), ListStoreError);
    EXPECT_EQ(list.getWordLength(), -3);
}

TEST(WordListClass, AddNewStringReplacesAWordDroppedFromTheEnd) {
    WordListClass list;
    list.addNewString(u"a", u"1");
    list.addNewString(u"b", u"2");
    list.addNewWord(1, u"b2", u"3");
    list.decrementElementLength();
    EXPECT_EQ(list.getWordLength(), 0);
    list.addNewString(u"c", u"4");
    EXPECT_EQ(list.getElementLength(1), 0) << "the dropped word's elements are gone";
    EXPECT_EQ(list.getString(1, 0, 0), u"c");
}

TEST(WordListClass, ChangeStringAboveTheLastWordDoesNothing) {
    WordListClass list;
    list.addNewString(u"a", u"1");
    list.changeString(3, 0, u"x", u"y");
    list.changeString(0, 4, u"x", u"y");
    EXPECT_EQ(list.getString(0, 0, 0), u"a");
    list.changeString(0, 0, u"x", u"y");
    EXPECT_EQ(list.getString(0, 0, 1), u"y");
    list.changeName(0, 0, u"z");
    EXPECT_EQ(list.getString(0, 0, 0), u"z");
    EXPECT_EQ(list.getString(0, 0, 1), u"y");
}

std::vector<std::u16string> namesOf(const WordListClass& list, int16_t word) {
    std::vector<std::u16string> names;
    for (int16_t e = 0; e <= list.getElementLength(word); ++e) {
        names.push_back(list.getString(word, e, 0) + u"=" + list.getString(word, e, 1));
    }
    return names;
}

TEST(WordListClass, ExchangeWordSwapsContentsInOrder) {
    WordListClass list;
    list.setLength(4);
    for (int16_t w : {1, 3}) {
        for (int e = 0; e < (w == 1 ? 2 : 5); ++e) {
            const std::u16string tag(1, static_cast<char16_t>(u'a' + w * 10 + e));
            list.addNewWord(w, tag, tag + u"!");
        }
    }
    const auto one = namesOf(list, 1);
    const auto three = namesOf(list, 3);
    list.exchangeWord(1, 3);
    EXPECT_EQ(namesOf(list, 1), three);
    EXPECT_EQ(namesOf(list, 3), one);
    list.exchangeWord(3, 3);
    EXPECT_EQ(namesOf(list, 3), one);
}

TEST(WordListClass, IndexOverflowIsAnError) {
    StrArray word;
    for (int i = 0; i <= 32767; ++i) {
        word.setString(u"", u"");
    }
    EXPECT_EQ(word.length(), 32767);
    EXPECT_THROW(word.setString(u"", u""), ListStoreError);
}

}  // namespace
}  // namespace wordvane
