#pragma once

#include <string>
#include <string_view>

namespace wordvane {

// How a text file's bytes hold its characters. Lists and vane.ini are code
// page 932 (Shift_JIS) unless the user's editor saved them otherwise.
enum class TextEncoding { Cp932, Utf8, Utf8WithMark, Utf16Le, Utf16Be };

struct DecodedText {
    std::u16string text;
    TextEncoding encoding = TextEncoding::Cp932;
    // Every byte sequence was a character: written back, the file loses
    // nothing.
    bool exact = true;
};

// A file with a UTF-8 or UTF-16 byte-order mark is read so; one without a
// mark whose bytes are valid UTF-8 with at least one multi-byte sequence is
// UTF-8; anything else is code page 932.
DecodedText decodeText(std::string_view bytes);
// The bytes of `text` in `encoding`, with its byte-order mark. `readsBack`,
// when given, tells whether decodeText gives `text` back from them (not for
// a character code page 932 has no place for, nor for Shift_JIS bytes that
// happen to look like UTF-8).
std::string encodeText(std::u16string_view text, TextEncoding encoding, bool* readsBack = nullptr);

// The encoding decodeText reads `bytes` in.
TextEncoding encodingShownBy(std::string_view bytes);

// "Shift_JIS", "UTF-8", "UTF-8 (BOM)", "UTF-16LE", "UTF-16BE".
const char* encodingName(TextEncoding encoding);

}  // namespace wordvane
