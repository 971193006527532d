#pragma once

#include <cstddef>
#include <cstdint>

// The tables of the code page 932 codec, generated from the system's own
// conversions (tools/cp932-tables).
namespace wordvane::cp932 {

inline constexpr size_t kLeadCount = 60;
// Second bytes 0x40 to 0xFC.
inline constexpr int kFirstTrail = 0x40;
inline constexpr int kLastTrail = 0xFC;
inline constexpr size_t kTrailCount = kLastTrail - kFirstTrail + 1;
inline constexpr size_t kEncodeExceptionCount = 456;
// What the system reads where no character is.
inline constexpr char16_t kUnassigned = u'\u30FB';

// For every byte: 0, or 1 + the row of kPairs of that lead byte.
extern const uint8_t kLeadIndex[256];
// The character of every byte that is no lead byte (U+30FB for a lead byte).
extern const uint16_t kSingleBytes[256];
extern const uint16_t kPairs[kLeadCount][kTrailCount];

// A code unit that is not written as the first byte sequence that reads as
// it: `bytes` is one byte (below 0x100) or a lead and a second byte.
struct EncodeException {
    uint16_t unit;
    uint16_t bytes;
};
extern const EncodeException kEncodeExceptions[kEncodeExceptionCount];

}  // namespace wordvane::cp932
