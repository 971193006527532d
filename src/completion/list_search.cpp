#include "completion/list_search.h"

#include "util/text_mapping.h"

namespace wordvane {

namespace {

// A query comes from a one-line box: it never holds the NUL that keeps the
// fields apart, so a match never spans two of them.
void appendField(std::u16string& text, std::u16string_view field) {
    text.append(field);
    text += u'\0';
}

}  // namespace

void ListSearch::prepare(const WordListClass& words, int list, int16_t level) {
    if (list == list_ && level == level_ && words.revision() == revision_) {
        return;
    }
    list_ = list;
    level_ = level;
    revision_ = words.revision();
    folded_.clear();
    const bool wordLevel = level == -1;
    const int last = wordLevel ? words.getWordLength() : words.getElementLength(level);
    folded_.resize(static_cast<size_t>(std::max(last + 1, 0)));
    std::u16string fields;
    for (int i = wordLevel ? 0 : 1; i <= last; ++i) {
        const auto index = static_cast<int16_t>(i);
        fields.clear();
        if (wordLevel) {
            for (int e = 0; e <= words.getElementLength(index); ++e) {
                const auto element = static_cast<int16_t>(e);
                appendField(fields, words.peekString(index, element, 0));
                appendField(fields, words.peekString(index, element, 1));
            }
        } else {
            appendField(fields, words.peekString(level, index, 0));
            appendField(fields, words.peekString(level, index, 1));
        }
        folded_[static_cast<size_t>(i)] = foldForSearch(platform_, fields);
    }
}

bool ListSearch::contains(int16_t index, std::u16string_view foldedQuery) const {
    if (foldedQuery.empty()) {
        return true;
    }
    const auto i = static_cast<size_t>(index);
    return i < folded_.size() && folded_[i].find(foldedQuery) != std::u16string::npos;
}

std::u16string ListSearch::fold(std::u16string_view query) const {
    return foldForSearch(platform_, query);
}

}  // namespace wordvane
