#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "lists/list_file_format.h"
#include "lists/settings.h"
#include "lists/text_file.h"
#include "lists/word_list.h"

namespace wordvane {

inline constexpr int kListCount = 7;

// An addition refused because the list (or the word) holds as much as its
// file can.
inline constexpr const char16_t* kListFullMessage =
    u"これ以上追加できません。\r\n一つのリストに入る単語は32767個までです。";
inline constexpr int kLauncherList = 0;
inline constexpr int kClipboardList = 1;
inline constexpr int kFirstWordList = 2;

// Markers in the list headers that no key spells.
inline constexpr char16_t kNoElementKey[] = u"あ";     // elements listed at once
inline constexpr char16_t kNoCancelKeys[] = u"い";     // no cancel keys
inline constexpr char16_t kNeverElementKey[] = u"え";  // elements never listed by key

// An entry of a list as a command found it: where it was and what it held,
// so that the command can tell later whether it is still there.
struct EntryRef {
    int list = 0;
    int16_t word = 0;
    int16_t element = 0;
    std::u16string name;
    std::u16string account;
};

// The lists and settings subsystem's state: the seven lists with their names
// and header values, indexed by list index (0 launcher list, 1 clipboard
// list, 2 to 6 word lists 1 to 5), and the settings of vane.ini.
class Lists {
  public:
    std::array<WordListClass, kListCount> wordLists;
    std::array<std::u16string, kListCount> listNames;
    std::array<bool, kListCount> insertAtWordLevel{};   // flag "t"
    std::array<bool, kListCount> replaceAbbrev{};       // flag "r"
    std::array<int16_t, kListCount> listDisplaySize{};  // 0 small, 1 middle, 2 large
    // How many lists start-up read completely, counted from list 0.
    int16_t loadedListCount = 0;
    // Word lists 1 to 5 changed since they were read or saved.
    std::array<bool, 5> wordListChanged{};
    // How each list's file was read, so that it is written back the same way.
    std::array<TextFileForm, kListCount> fileForms{};
    Settings settings;

    std::u16string& startChar(int list) { return headerKey(list, 0); }
    std::u16string& elementKey(int list) { return headerKey(list, 1); }
    std::u16string& cancelKeyLine(int list) { return headerKey(list, 2); }
    const std::u16string& startChar(int list) const { return headerKeys_[index(list, 0)]; }
    const std::u16string& elementKey(int list) const { return headerKeys_[index(list, 1)]; }
    const std::u16string& cancelKeyLine(int list) const { return headerKeys_[index(list, 2)]; }

    bool loaded(int list) const { return list < loadedListCount; }
    WordListClass& words(int list) { return wordLists[static_cast<size_t>(list)]; }
    const WordListClass& words(int list) const { return wordLists[static_cast<size_t>(list)]; }

    ListHeader header(int list) const;
    void storeHeader(int list, const ListHeader& header);

    // Appends a word (index -1) or an element of word `index` to list `list`.
    // A word added to the clipboard list makes the history one longer; a
    // changed word list is saved at exit. False, with nothing changed, when
    // the list or the word is full (`kListFullMessage` tells the user).
    bool addWord(int list, int16_t index, const std::u16string& name,
                 const std::u16string& account);
    // A word list that was written to its file is no longer changed.
    void markSaved(int list);
    bool changedAndLoaded(int wordList) const;
    // Offered and changed, but start-up did not read its file whole (too few
    // words): that file cannot take it back.
    bool changedButNotLoaded(int wordList) const {
        return wordListChanged[static_cast<size_t>(wordList - kFirstWordList)] &&
               !loaded(wordList) && !listNames[static_cast<size_t>(wordList)].empty();
    }

    // The entry at (list, word, element) with its current strings.
    EntryRef entry(int list, int16_t word, int16_t element) const;
    // The entry is still where it was found, unchanged.
    bool holds(const EntryRef& entry) const;
    // A word list that the user changed is saved at exit.
    void markChanged(int list) {
        if (list >= kFirstWordList && list < kListCount) {
            wordListChanged[static_cast<size_t>(list - kFirstWordList)] = true;
        }
    }

  private:
    // [i] start character, [i + 7] element key, [i + 14] cancel-key line of list i.
    std::array<std::u16string, 3 * kListCount> headerKeys_;

    static size_t index(int list, int kind) {
        return static_cast<size_t>(kind * kListCount + list);
    }
    std::u16string& headerKey(int list, int kind) { return headerKeys_[index(list, kind)]; }
};

}  // namespace wordvane
