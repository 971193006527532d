#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "lists/word_list.h"

namespace wordvane {

inline constexpr int kListCount = 7;
inline constexpr int kLauncherList = 0;
inline constexpr int kClipboardList = 1;
inline constexpr int kFirstWordList = 2;

// Markers in the list headers that no key spells.
inline constexpr char16_t kNoElementKey[] = u"あ";     // elements listed at once
inline constexpr char16_t kNoCancelKeys[] = u"い";     // no cancel keys
inline constexpr char16_t kNeverElementKey[] = u"え";  // elements never listed by key

// The seven lists with their names and header values, indexed by list index
// (0 launcher list, 1 clipboard list, 2 to 6 word lists 1 to 5).
struct ListState {
    std::array<WordListClass, kListCount> wordLists;
    std::array<std::u16string, kListCount> listNames;
    // [i] start character, [i + 7] element key, [i + 14] cancel-key line of list i.
    std::array<std::u16string, 3 * kListCount> listHeaderKeys;
    std::array<bool, kListCount> insertAtWordLevel{};   // flag "t"
    std::array<bool, kListCount> replaceAbbrev{};       // flag "r"
    std::array<int16_t, kListCount> listDisplaySize{};  // 0 small, 1 middle, 2 large
    int16_t loadedListCount = 0;
    std::array<bool, 5> wordListChanged{};
    int16_t currentList = 0;

    std::u16string& startChar(int list) { return listHeaderKeys[static_cast<size_t>(list)]; }
    std::u16string& elementKey(int list) { return listHeaderKeys[static_cast<size_t>(list) + 7]; }
    std::u16string& cancelKeyLine(int list) {
        return listHeaderKeys[static_cast<size_t>(list) + 14];
    }
    bool loaded(int list) const { return list < loadedListCount; }
    WordListClass& currentWords() { return wordLists[static_cast<size_t>(currentList)]; }
};

}  // namespace wordvane
