#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace wordvane {

// Code page 932 (Shift_JIS as Windows has it), the same in every build: the
// tables come from the system's own conversions. A byte sequence that is no
// character reads as "・" (U+30FB); a character the code page cannot hold is
// written as the system's best fit, or as "?".
// `exact`, when given, tells whether every byte sequence was a character, or
// whether every character was written as itself (so that the bytes decode
// to the same text).
std::u16string decodeCp932(std::string_view bytes, bool* exact = nullptr);
std::string encodeCp932(std::u16string_view text, bool* exact = nullptr);

// Code page 932 bytes made run by run as a text is formatted (see
// appendChangedLine2): `exact` stays true while every character is written
// as itself.
class Cp932Writer {
  public:
    explicit Cp932Writer(size_t expectedUnits = 0);
    // Each run is encoded as it comes, straight into the bytes.
    void append(std::u16string_view text) {
        appendUntil(text, [](std::u16string_view, size_t) { return false; });
    }
    // `text` up to the first position `i` for which `stop(text, i)` holds,
    // in one pass; returns how many characters were written.
    template <typename Stop>
    size_t appendUntil(std::u16string_view text, Stop stop) {
        if (static_cast<size_t>(end_ - out_) < text.size() * 2) {
            makeRoom(text.size() * 2);
        }
        // Locals: a byte written through `out` could be any member.
        const uint16_t* codes = codes_;
        const uint64_t* roundTrips = roundTrips_;
        char* out = out_;
        uint64_t allThemselves = 1;
        size_t written = 0;
        for (; written < text.size(); ++written) {
            if (stop(text, written)) {
                break;
            }
            const char16_t unit = text[written];
            const uint16_t code = codes[unit];
            if (code > 0xFF) {
                *out++ = static_cast<char>(code >> 8);
            }
            *out++ = static_cast<char>(code & 0xFF);
            allThemselves &= roundTrips[unit >> 6] >> (unit & 63);
        }
        out_ = out;
        exact_ = exact_ && allThemselves != 0;
        return written;
    }
    void append(size_t count, char16_t character) {
        for (size_t k = 0; k < count; ++k) {
            append(std::u16string_view(&character, 1));
        }
    }
    // Whether every character so far was written as itself.
    bool exact() const { return exact_; }
    // The bytes written; the writer is empty afterwards.
    std::string take();

  private:
    void makeRoom(size_t bytes);
    const uint16_t* codes_;
    const uint64_t* roundTrips_;
    std::string bytes_;
    // Bytes written up to out_, room up to end_.
    char* out_;
    char* end_;
    bool exact_ = true;
};

}  // namespace wordvane
