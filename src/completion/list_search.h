#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lists/word_list.h"
#include "platform/platform.h"

namespace wordvane {

// The search over a shown list: the entries of a level (the words, or the
// elements of an opened word) whose name or text contains what the user
// typed, compared in the folded form (case, width and kana type ignored).
// At the word level a word's elements count as part of it. The folded texts
// are made once for a list and level and kept until the list changes.
class ListSearch {
  public:
    explicit ListSearch(Platform& platform) : platform_(platform) {}

    // Makes the folded texts of `level` of `words` (list `list`) ready.
    void prepare(const WordListClass& words, int list, int16_t level);
    // For each entry index of the prepared level, whether it contains
    // `foldedQuery` (made by `fold`); an empty query is in every entry.
    const std::vector<bool>& find(std::u16string_view foldedQuery);
    std::u16string fold(std::u16string_view query) const;

  private:
    Platform& platform_;
    // What the texts were made from.
    int list_ = -1;
    int16_t level_ = -2;
    uint64_t revision_ = 0;
    // Every entry's folded text, its fields ended by a NUL and the entry by
    // U+FFFF, one after another, so that one scan of one string finds them
    // all; where each entry index's text starts (one more for the end).
    std::u16string folded_;
    std::vector<size_t> starts_;
    std::vector<bool> hits_;
};

}  // namespace wordvane
