#include "platform/fake/cp932_codec.h"

#include <gtest/gtest.h>

namespace wordvane {
namespace {

TEST(Cp932Codec, JapaneseAndBackslashRoundTrip) {
    const std::u16string text = u"おはよう\\〜～①髙 ｶﾅ";
    EXPECT_EQ(decodeCp932(encodeCp932(text)), text.substr(0, 5) + u"～～①髙 ｶﾅ")
        << "the wave dash is written as the code page's tilde, as the desktop does";
    EXPECT_EQ(encodeCp932(u"\\"), "\x5C");
    EXPECT_EQ(encodeCp932(u"あ"), "\x82\xA0");
}

TEST(Cp932Codec, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(encodeCp932(u"a✓b😀c"), "a?b?c") << "a surrogate pair is one character";
    EXPECT_EQ(encodeCp932(std::u16string(u"x") + char16_t{0xD800}), "x?");
}

TEST(Cp932Codec, InvalidBytesBecomeAMiddleDot) {
    EXPECT_EQ(decodeCp932("a\x82"), u"a・");
    EXPECT_EQ(decodeCp932(std::string("\x82\xA0", 2)), u"あ");
}

}  // namespace
}  // namespace wordvane
