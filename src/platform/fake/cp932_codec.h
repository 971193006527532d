#pragma once

#include <string>
#include <string_view>

namespace wordvane {

// Code page 932 through iconv, the way the desktop converts: a character the
// code page cannot hold becomes "?", a byte that is no valid character
// becomes "・" (U+30FB).
std::u16string decodeCp932(std::string_view bytes);
std::string encodeCp932(std::u16string_view text);

}  // namespace wordvane
