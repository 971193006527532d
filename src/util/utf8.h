#pragma once

#include <string>
#include <string_view>

namespace wordvane {

// UTF-16 to UTF-8 and back; an unpaired surrogate or a broken byte sequence
// becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
std::u16string fromUtf8(std::string_view text);

}  // namespace wordvane
