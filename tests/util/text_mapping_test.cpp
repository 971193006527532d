#include "util/text_mapping.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace wordvane {
namespace {

class TextMappingTest : public ::testing::Test {
  protected:
    FakePlatform platform{"/nonexistent"};
    std::u16string fold(std::u16string_view text) { return foldForSearch(platform, text); }
};

// The search finds an entry however its letters were typed: case, full and
// half width, voiced marks apart or joined, hiragana or katakana.
TEST_F(TextMappingTest, FoldingMakesTheFormsUsersTypeEqual) {
    EXPECT_EQ(fold(u"ＡＢＣ"), fold(u"abc"));
    EXPECT_EQ(fold(u"ＷｏｒｄＶａｎｅ１２"), fold(u"wordvane12"));
    EXPECT_EQ(fold(u"ｶﾀｶﾅ"), fold(u"カタカナ"));
    EXPECT_EQ(fold(u"ｶﾞｯｺｳ ﾊﾟﾝ"), fold(u"がっこう ぱん"));
    EXPECT_EQ(fold(u"かな"), fold(u"カナ"));
    EXPECT_NE(fold(u"か"), fold(u"が")) << "a voiced kana is another kana";
    EXPECT_NE(fold(u"日本"), fold(u"本日"));
}

// Each conversion changes only the characters it names.
TEST_F(TextMappingTest, ConversionsTouchOnlyTheirCharacters) {
    EXPECT_EQ(fullwidthAlphanumericsToHalfwidth(platform, u"ＡＢＣ１２３！　カタカナｶﾅ"),
              u"ABC123!　カタカナｶﾅ");
    EXPECT_EQ(halfwidthKanaToFullwidth(platform, u"ｶﾞｷﾞｸﾞ ﾊﾟｰﾄ ＡＢ ab"), u"ガギグ パート ＡＢ ab");
    EXPECT_EQ(platform.mapText(u"ひらがなとカタカナ", TextMapping::Katakana),
              u"ヒラガナトカタカナ");
    EXPECT_EQ(platform.mapText(u"カタカナとひらがな", TextMapping::Hiragana),
              u"かたかなとひらがな");
}

// Lines broken by a PDF: a blank between two Latin words, none between
// Japanese characters; the blanks at a break are one.
TEST(JoinBrokenLines, KeepsOneBlankBetweenLatinWordsOnly) {
    EXPECT_EQ(joinBrokenLines(u"The quick  \r\n  brown fox\njumps"), u"The quick brown fox jumps");
    EXPECT_EQ(joinBrokenLines(u"日本語の\r\n文章です。\r\nSee Fig.\r\n\r\n2 and 図"),
              u"日本語の文章です。See Fig. 2 and 図");
    EXPECT_EQ(joinBrokenLines(u"  indented\r\n"), u"  indented");
    EXPECT_EQ(joinBrokenLines(u"no break"), u"no break");
}

}  // namespace
}  // namespace wordvane
