#pragma once

#include <cstddef>
#include <cstdint>

// The system's character mappings (LCMapStringEx) of single UTF-16 code
// units, generated under Wine by tools/text-mapping-tables; each table is
// sorted by `from` and holds only the units that map to something else.
namespace wordvane::text_mapping {

struct MappedUnit {
    char16_t from;
    uint8_t length;
    char16_t to[2];
};

// A half-width katakana and its voiced or semi-voiced mark that the
// full-width mapping joins into one character (ｶﾞ into ガ).
struct JoinedPair {
    char16_t unit;
    char16_t mark;
    char16_t to;
};

extern const MappedUnit kLowercase[];
extern const size_t kLowercaseCount;
extern const MappedUnit kHalfwidth[];
extern const size_t kHalfwidthCount;
extern const MappedUnit kFullwidth[];
extern const size_t kFullwidthCount;
extern const MappedUnit kKatakana[];
extern const size_t kKatakanaCount;
extern const MappedUnit kHiragana[];
extern const size_t kHiraganaCount;
extern const JoinedPair kJoinedPairs[];
extern const size_t kJoinedPairsCount;

}  // namespace wordvane::text_mapping
