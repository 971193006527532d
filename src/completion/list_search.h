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
    // Whether entry `index` of the prepared level contains `foldedQuery`
    // (made by `fold`); an empty query is in every entry.
    bool contains(int16_t index, std::u16string_view foldedQuery) const;
    std::u16string fold(std::u16string_view query) const;

  private:
    Platform& platform_;
    // What the texts were made from.
    int list_ = -1;
    int16_t level_ = -2;
    uint64_t revision_ = 0;
    // One text per entry index, its fields folded and joined by a NUL.
    std::vector<std::u16string> folded_;
};

}  // namespace wordvane
