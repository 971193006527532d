#include "util/text_mapping.h"

#include <algorithm>

#include "util/ascii.h"
#include "util/text_mapping_tables.h"

namespace wordvane {

namespace {

using text_mapping::MappedUnit;

struct Table {
    const MappedUnit* rows;
    size_t count;
};

Table tableOf(TextMapping mapping) {
    using namespace text_mapping;
    switch (mapping) {
        case TextMapping::Lowercase:
            return {kLowercase, kLowercaseCount};
        case TextMapping::Halfwidth:
            return {kHalfwidth, kHalfwidthCount};
        case TextMapping::Fullwidth:
            return {kFullwidth, kFullwidthCount};
        case TextMapping::Katakana:
            return {kKatakana, kKatakanaCount};
        case TextMapping::Hiragana:
            break;
    }
    return {kHiragana, kHiraganaCount};
}

const MappedUnit* find(const Table& table, char16_t unit) {
    const MappedUnit* end = table.rows + table.count;
    const MappedUnit* row = std::lower_bound(
        table.rows, end, unit, [](const MappedUnit& a, char16_t b) { return a.from < b; });
    return row != end && row->from == unit ? row : nullptr;
}

std::optional<char16_t> joined(char16_t unit, char16_t mark) {
    using namespace text_mapping;
    for (size_t i = 0; i < kJoinedPairsCount; ++i) {
        if (kJoinedPairs[i].unit == unit && kJoinedPairs[i].mark == mark) {
            return kJoinedPairs[i].to;
        }
    }
    return std::nullopt;
}

// Runs of the characters `inRange` names are mapped; the rest stays.
template <typename InRange>
std::u16string mapRuns(Platform& platform, std::u16string_view text, TextMapping mapping,
                       InRange inRange) {
    std::u16string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        size_t end = i;
        while (end < text.size() && inRange(text[end])) {
            ++end;
        }
        if (end > i) {
            out += platform.mapText(text.substr(i, end - i), mapping);
            i = end;
            continue;
        }
        while (end < text.size() && !inRange(text[end])) {
            ++end;
        }
        out.append(text.substr(i, end - i));
        i = end;
    }
    return out;
}

bool fullwidthAscii(char16_t c) {
    return c >= 0xFF01 && c <= 0xFF5E;
}

bool halfwidthKana(char16_t c) {
    return c >= 0xFF61 && c <= 0xFF9F;
}

bool isBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

// Japanese script (kana, kanji, their punctuation, full-width forms) takes
// no blank where a line was broken; everything below it does.
bool japanese(char16_t c) {
    return c >= 0x3000;
}

}  // namespace

std::u16string mapByTables(std::u16string_view text, TextMapping mapping) {
    const Table table = tableOf(mapping);
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (mapping == TextMapping::Fullwidth && i + 1 < text.size()) {
            if (const auto pair = joined(text[i], text[i + 1])) {
                out += *pair;
                ++i;
                continue;
            }
        }
        if (const MappedUnit* row = find(table, text[i])) {
            out.append(row->to, row->length);
        } else {
            out += text[i];
        }
    }
    return out;
}

std::u16string fullwidthAlphanumericsToHalfwidth(Platform& platform, std::u16string_view text) {
    return mapRuns(platform, text, TextMapping::Halfwidth, fullwidthAscii);
}

std::u16string halfwidthKanaToFullwidth(Platform& platform, std::u16string_view text) {
    return mapRuns(platform, text, TextMapping::Fullwidth, halfwidthKana);
}

std::u16string joinBrokenLines(std::u16string_view text) {
    const auto blank = [](char16_t c) { return c == u' ' || c == u'\t'; };
    std::u16string out;
    out.reserve(text.size());
    size_t start = 0;
    bool first = true;
    while (start <= text.size()) {
        size_t end = start;
        while (end < text.size() && !isBreak(text[end])) {
            ++end;
        }
        std::u16string_view line = text.substr(start, end - start);
        const bool last = end == text.size();
        // Blanks next to a break go with it.
        while (!first && !line.empty() && blank(line.front())) {
            line.remove_prefix(1);
        }
        while (!last && !line.empty() && blank(line.back())) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            if (!out.empty() && !first && !japanese(out.back()) && !japanese(line.front())) {
                out += u' ';
            }
            out.append(line);
        }
        first = false;
        // A CR LF pair is one break.
        start =
            end + (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n' ? 2 : 1);
    }
    return out;
}

std::u16string foldForSearch(Platform& platform, std::u16string_view text) {
    const bool ascii = std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
    if (ascii) {
        return asciiLowered(std::u16string(text));
    }
    std::u16string folded =
        halfwidthKanaToFullwidth(platform, fullwidthAlphanumericsToHalfwidth(platform, text));
    folded = platform.mapText(folded, TextMapping::Katakana);
    return platform.mapText(folded, TextMapping::Lowercase);
}

}  // namespace wordvane
