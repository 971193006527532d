#include "lists/cp932.h"

#include <gtest/gtest.h>

namespace wordvane {
namespace {

TEST(Cp932Codec, JapaneseAndBackslashRoundTrip) {
    const std::u16string text = u"おはよう\\～①髙 ｶﾅ";
    EXPECT_EQ(decodeCp932(encodeCp932(text)), text);
    EXPECT_EQ(encodeCp932(u"\\"), "\x5C");
    EXPECT_EQ(encodeCp932(u"あ"), "\x82\xA0");
    EXPECT_EQ(encodeCp932(u"∥"), "\x81\x61") << "the code page's own parallel sign";
}

// Where Windows' code page differs from the Shift_JIS of other systems.
TEST(Cp932Codec, BytesAndCharactersAreReadAndWrittenAsWindowsDoes) {
    EXPECT_EQ(decodeCp932("\x80\xA0\xFD\xFE\xFF"), u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3");
    EXPECT_EQ(encodeCp932(u"\u0080\uF8F0\uF8F3"), "\x80\xA0\xFF");
    EXPECT_EQ(decodeCp932("\x85\x40"), u"・") << "an unassigned pair is one character";
    EXPECT_EQ(decodeCp932("\xEF\xBB\xBFx"), u"・ｿx") << "a UTF-8 byte-order mark";
    EXPECT_EQ(decodeCp932("\x82\r\n"), u"・\n") << "a lead byte takes the CR after it";
    EXPECT_EQ(decodeCp932(std::string("\x82\0x", 3)), std::u16string(u"・\0x", 3));
    EXPECT_EQ(decodeCp932("a\x82"), u"a・");
    EXPECT_EQ(encodeCp932(u"〜é¥"), "?e\x5C") << "no wave dash; best fits";
    EXPECT_EQ(encodeCp932(std::u16string(u"x") + char16_t{0xD800}), "x?");
}

}  // namespace
}  // namespace wordvane
