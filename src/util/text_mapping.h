#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace wordvane {

// `text` mapped by the tables made from the system's mappings: each code
// unit as the system maps it alone, and for the full-width mapping a
// half-width katakana with its voiced mark joined (ｶﾞ into ガ). The desktop
// asks the system itself; the tests and the simulator use this.
std::u16string mapByTables(std::u16string_view text, TextMapping mapping);

// The conversions of the text-transform menu's 文字の変換, from the
// platform's mappings: only the characters each one names change.
std::u16string fullwidthAlphanumericsToHalfwidth(Platform& platform, std::u16string_view text);
std::u16string halfwidthKanaToFullwidth(Platform& platform, std::u16string_view text);
// The lines joined into one, for text copied from a PDF: a blank between
// two words of Latin script, none next to Japanese.
std::u16string joinBrokenLines(std::u16string_view text);

// The form in which a search compares texts: lowercase, full-width letters
// and digits half-width, half-width katakana full-width with their voiced
// marks joined, hiragana as katakana.
std::u16string foldForSearch(Platform& platform, std::u16string_view text);

}  // namespace wordvane
