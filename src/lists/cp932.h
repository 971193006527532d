#pragma once

#include <string>
#include <string_view>

namespace wordvane {

// Code page 932 (Shift_JIS as Windows has it), the same in every build: the
// tables come from the system's own conversions. A byte sequence that is no
// character reads as "・" (U+30FB); a character the code page cannot hold is
// written as the system's best fit, or as "?".
// `exact`, when given, tells whether every byte sequence was a character.
std::u16string decodeCp932(std::string_view bytes, bool* exact = nullptr);
std::string encodeCp932(std::u16string_view text);

}  // namespace wordvane
