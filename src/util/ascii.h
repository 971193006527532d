#pragma once

#include <string>

namespace wordvane {

// The text with its ASCII capitals made small; every other character as it
// is (names in files and of keys are compared without regard to case).
inline std::u16string asciiLowered(std::u16string text) {
    for (char16_t& c : text) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c + (u'a' - u'A'));
        }
    }
    return text;
}

}  // namespace wordvane
