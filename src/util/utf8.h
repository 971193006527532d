#pragma once

#include <string>
#include <string_view>

namespace wordvane {

// UTF-16 to UTF-8 and back; an unpaired surrogate or a broken byte sequence
// becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

// The first unit of a character beyond the BMP (a surrogate pair).
inline bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c < 0xDC00;
}

}  // namespace wordvane
