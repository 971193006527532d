#include "completion/list_search.h"

#include <algorithm>

#include "util/text_mapping.h"

namespace wordvane {

using namespace std::string_view_literals;

namespace {

// A query comes from a one-line box: it never holds the NUL that keeps the
// fields apart nor the noncharacter that ends an entry, so a match never
// spans two of them.
constexpr char16_t kEntryEnd = u'\uFFFF';

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
    starts_.clear();
    const bool wordLevel = level == -1;
    const int last = wordLevel ? words.getWordLength() : words.getElementLength(level);
    std::u16string fields;
    for (int i = 0; i <= last; ++i) {
        starts_.push_back(folded_.size());
        const auto index = static_cast<int16_t>(i);
        fields.clear();
        if (wordLevel) {
            for (int e = 0; e <= words.getElementLength(index); ++e) {
                const auto element = static_cast<int16_t>(e);
                appendField(fields, words.peekString(index, element, 0));
                appendField(fields, words.peekString(index, element, 1));
            }
        } else if (i > 0) {
            appendField(fields, words.peekString(level, index, 0));
            appendField(fields, words.peekString(level, index, 1));
        }
        folded_ += foldForSearch(platform_, fields);
        folded_ += kEntryEnd;
    }
    starts_.push_back(folded_.size());
}

const std::vector<bool>& ListSearch::find(std::u16string_view foldedQuery) {
    const size_t entries = starts_.empty() ? 0 : starts_.size() - 1;
    hits_.assign(entries, foldedQuery.empty());
    if (foldedQuery.empty() ||
        foldedQuery.find_first_of(u"\0\uFFFF"sv) != std::u16string_view::npos) {
        return hits_;  // a separator is in no entry's text
    }
    for (size_t at = folded_.find(foldedQuery); at != std::u16string::npos;) {
        const auto next = std::upper_bound(starts_.begin(), starts_.end(), at);
        const auto entry = static_cast<size_t>(next - starts_.begin()) - 1;
        hits_[entry] = true;
        at = folded_.find(foldedQuery, *next);  // the next entry's text on
    }
    return hits_;
}

std::u16string ListSearch::fold(std::u16string_view query) const {
    return foldForSearch(platform_, query);
}

}  // namespace wordvane
