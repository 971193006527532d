#include "lists/word_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace wordvane {
namespace {

TEST(WordListClass, LengthIsTheHighestIndexAndDroppedElementsAreNeverReturned) {
    WordListClass list;
    list.addNewString(u"a", u"b");
    EXPECT_EQ(list.getElementLength(0), 0);
    EXPECT_EQ(list.getString(0, 1, 0), u"");
    list.addNewWord(0, u"c", u"d");
    list.decrementAttributeLength(0);
    EXPECT_EQ(list.getString(0, 1, 0), u"") << "a dropped element is never returned";
    list.addNewWord(0, u"e", u"f");
    EXPECT_EQ(list.getString(0, 1, 0), u"e");
    EXPECT_EQ(list.getString(0, 1, 1), u"f");
}

TEST(WordListClass, IndicesAboveLengthAreIgnoredButMisuseThrows) {
    WordListClass list;
    list.addNewString(u"a", u"b");
    list.changeString(0, 5, u"x", u"y");
    EXPECT_EQ(list.getString(0, 0, 0), u"a");
    EXPECT_THROW(list.getString(0, -1, 0), ListStoreError);
    EXPECT_THROW(list.getString(0, 0, 2), ListStoreError);
    EXPECT_THROW(list.changeName(0, 1, u"z"), ListStoreError);
    list.decrementAttributeLength(0);
    EXPECT_THROW(list.decrementAttributeLength(0), ListStoreError);
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
    WordListClass list;
    list.setLength(1);
    for (int i = 0; i <= 32767; ++i) {
        list.setString(u"", u"");
    }
    EXPECT_EQ(list.getElementLength(0), 32767);
    EXPECT_FALSE(list.hasRoomFor(0));
    EXPECT_THROW(list.setString(u"", u""), ListStoreError);
}

TEST(WordListClass, TheKeptTextGoesWithTheLastValueThatIsAPartOfIt) {
    WordListClass list;
    list.setLength(2);
    const std::u16string_view kept = list.keepText(u"abc");
    list.setString(ListText::partOfKeptText(kept.substr(0, 1)),
                   ListText::partOfKeptText(kept.substr(1, 1)));
    list.nextIndex();
    list.setString(ListText::partOfKeptText(kept.substr(2, 1)), u"own");
    list.changeString(0, 0, u"x", u"y");
    EXPECT_TRUE(list.keepsText()) << "one value is still a part of it";
    list.changeName(1, 0, u"c");  // the same text, now a string of its own
    EXPECT_FALSE(list.keepsText());
    EXPECT_EQ(list.getString(1, 0, 0) + list.getString(1, 0, 1), u"cown");
    list.setLength(1);
    list.setString(ListText::partOfKeptText(list.keepText(u"d")), u"");
    EXPECT_TRUE(list.keepsText()) << "a list read again keeps its new text";
}

// Words read from a kept text, then changed at random (words growing in
// turn, so that their elements move and the rows are compacted) against a
// plain model of the same list.
TEST(WordListClass, ChangesOfWordsReadFromAKeptTextMatchAPlainModel) {
    using Model = std::vector<std::vector<std::pair<std::u16string, std::u16string>>>;
    WordListClass list;
    Model model(50);
    list.setLength(50);
    const std::u16string& kept = list.keepText(u"read0read1read2");
    for (size_t w = 0; w < model.size(); ++w) {
        if (w > 0) {
            list.nextIndex();
        }
        const std::u16string_view name = std::u16string_view(kept).substr(w % 3 * 5, 5);
        list.setString(ListText::partOfKeptText(name), ListText::partOfKeptText(name.substr(4)));
        model[w].emplace_back(name, name.substr(4));
    }
    uint32_t seed = 12345;
    const auto pick = [&seed](size_t n) {
        seed = seed * 1103515245 + 12345;
        return static_cast<int16_t>((seed >> 8) % n);
    };
    for (int step = 0; step < 40000; ++step) {
        const std::u16string text = u"t" + std::u16string(static_cast<size_t>(step % 9), u'x');
        const int16_t w = pick(model.size());
        auto& elements = model[static_cast<size_t>(w)];
        switch (pick(8)) {
            case 0:
            case 1:
            case 2:
                if (elements.size() < 40) {
                    list.addNewWord(w, text, text + u"!");
                    elements.emplace_back(text, text + u"!");
                }
                break;
            case 3:
                if (!elements.empty()) {
                    list.decrementAttributeLength(w);
                    elements.pop_back();
                }
                break;
            case 4:
                list.resetWord(w, text, u"");
                elements.assign(1, {text, u""});
                break;
            case 5: {
                const int16_t other = pick(model.size());
                list.exchangeWord(w, other);
                std::swap(elements, model[static_cast<size_t>(other)]);
                break;
            }
            case 6:
                list.moveWordToEnd(w);
                std::rotate(model.begin() + w, model.begin() + w + 1, model.end());
                break;
            default:
                if (model.size() < 60 || w % 2 == 0) {
                    list.addNewString(text, text);
                    model.push_back({{text, text}});
                } else {
                    list.decrementElementLength();
                    model.pop_back();
                }
                break;
        }
        if (step % 500 == 0 || step == 39999) {
            Model seen(static_cast<size_t>(list.getWordLength() + 1));
            for (int16_t v = 0; v <= list.getWordLength(); ++v) {
                for (int16_t e = 0; e <= list.getElementLength(v); ++e) {
                    seen[static_cast<size_t>(v)].emplace_back(list.getString(v, e, 0),
                                                              list.getString(v, e, 1));
                }
            }
            ASSERT_EQ(seen, model) << "after step " << step;
        }
    }
}

}  // namespace
}  // namespace wordvane
