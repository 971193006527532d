#include "lists/one_line_text.h"

#include <gtest/gtest.h>

#include <random>

namespace wordvane {
namespace {

TEST(OneLineText, DecodingTurnsEscapesIntoTextAndLeavesOtherBackslashes) {
    EXPECT_EQ(getChangedLine(u"a\\nb"), u"a\r\nb");
    EXPECT_EQ(getChangedLine(u"a\\\\nb"), u"a\\nb");
    EXPECT_EQ(getChangedLine(u"a\\\\\\nb"), u"a\\\r\nb");
    EXPECT_EQ(getChangedLine(u"C:\\temp"), u"C:\\temp");
    EXPECT_EQ(getChangedLine(u"end\\\\"), u"end\\");
    EXPECT_EQ(getChangedLine(u""), u"");
}

TEST(OneLineText, EncodingWritesEveryLineBreakAsBackslashN) {
    EXPECT_EQ(getChangedLine2(u"a\r\nb"), u"a\\nb");
    EXPECT_EQ(getChangedLine2(u"a\rb\nc"), u"a\\nb\\nc");
    EXPECT_EQ(getChangedLine2(u"a\n\rb"), u"a\\n\\nb");
    EXPECT_EQ(getChangedLine2(u"a\\nb"), u"a\\\\nb");
    EXPECT_EQ(getChangedLine(getChangedLine2(u"a\\nb")), u"a\\nb");
}

TEST(OneLineText, PathsKeepTheirLookAndNetworkPathsSurvive) {
    EXPECT_EQ(getChangedLine2(u"C:\\Program Files\\"), u"C:\\Program Files\\");
    EXPECT_EQ(getChangedLine2(u"\\a"), u"\\a");
    const std::u16string share = u"\\\\server\\share";
    EXPECT_EQ(getChangedLine2(share), u"\\\\\\\\server\\share");
    EXPECT_EQ(getChangedLine(getChangedLine2(share)), share);
}

// Every text with CR LF line breaks comes back from its one-line form.
TEST(OneLineText, EveryTextSurvivesEncodingAndDecoding) {
    const std::u16string pieces[] = {u"\\", u"n", u"\r\n", u"a", u"/", u"あ"};
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::u16string text;
        const int length = static_cast<int>(random() % 9);
        for (int i = 0; i < length; ++i) {
            text += pieces[random() % std::size(pieces)];
        }
        const std::u16string line = getChangedLine2(text);
        ASSERT_EQ(line.find_first_of(u"\r\n"), std::u16string::npos);
        ASSERT_EQ(getChangedLine(line), text) << "one-line form: " << line.size();
    }
}

TEST(OneLineText, ReplaceAllDoesNotRescanWhatItInserted) {
    EXPECT_EQ(replaceAll(u"aaa", u"a", u"aa"), u"aaaaaa");
    EXPECT_EQ(replaceAll(u"abc", u"", u"x"), u"abc");
}

}  // namespace
}  // namespace wordvane
