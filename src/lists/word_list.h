#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace wordvane {

// Misuse of the list store (a word slot that does not exist, a negative element
// index, a 16-bit index that overflows). The store never handles it itself: it
// reaches the caller, and the file readers turn it into their own read failure.
class ListStoreError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A list holds at most this many words: the count line of its file reads
// back as a 16-bit number, and no 16-bit word index or loop over the words
// can wrap. A word's elements are bounded by their 16-bit index alone.
inline constexpr int16_t kMostWords = 32767;

// One word: an ordered sequence of elements, each a (name, account) pair.
// `length()` is the highest element index, -1 for a word without elements.
class StrArray {
  public:
    StrArray();

    void setString(std::u16string name, std::u16string account);
    std::u16string getString(int16_t index, int16_t nameAccount) const;
    // The same string without a copy, for scans over whole lists.
    const std::u16string& peekString(int16_t index, int16_t nameAccount) const;
    int16_t length() const { return length_; }
    void changeString(int16_t index, const std::u16string& name, const std::u16string& account);
    void decrementArrayLength();
    void changeName(int16_t index, const std::u16string& name);
    // Element 0 (name, account), for scans and moves over whole lists; a word
    // without elements gets an empty one to move.
    std::array<std::u16string, 2>& firstElement() {
        if (length_ < 0) {
            setString(u"", u"");
        }
        return entries_[0];
    }
    // Only for a word with elements (`length() >= 0`).
    const std::array<std::u16string, 2>& firstElement() const { return entries_[0]; }
    // Elements 0 to length(), for scans over whole lists.
    std::span<const std::array<std::u16string, 2>> elements() const {
        return {entries_.data(), static_cast<size_t>(length_ + 1)};
    }

  private:
    int16_t length_;
    // Rows above length_ are storage left over from dropped elements; no
    // operation returns them, and the next setString reuses them.
    std::vector<std::array<std::u16string, 2>> entries_;
};

// One list: an ordered sequence of words. `getWordLength()` is the highest
// word index, -1 for an empty list.
class WordListClass {
  public:
    void setLength(int16_t arrayLength);
    void addNewString(const std::u16string& name, const std::u16string& account);
    // Whether one more word (`index` -1) or one more element of word `index`
    // fits.
    bool hasRoomFor(int16_t index) const;
    void addNewWord(int16_t index, const std::u16string& name, const std::u16string& account);
    void setString(std::u16string name, std::u16string account);
    void changeString(int16_t listindex, int16_t wordIndex, const std::u16string& name,
                      const std::u16string& account);
    void nextIndex();
    int16_t getElementLength(int16_t index) const;
    std::u16string getString(int16_t wordIndex, int16_t elementIndex, int16_t nameOrAccount) const;
    // The same string without a copy, for scans over whole lists.
    const std::u16string& peekString(int16_t wordIndex, int16_t elementIndex,
                                     int16_t nameOrAccount) const;
    int16_t getWordLength() const { return lastWord_; }
    void decrementElementLength();
    void decrementAttributeLength(int16_t index);
    void changeName(int16_t wordIndex, int16_t elementIndex, const std::u16string& name);
    void exchangeWord(int16_t index1, int16_t index2);

    // Moves, never copies: element 0 of word `last` becomes element 0 of word
    // `first`, and element 0 of words `first` to `last` - 1 each moves one
    // word down. The words' other elements stay where they are.
    void rotateFirstElements(int16_t first, int16_t last);
    // The first of words 0 to `lastWord` whose element 0 has `account`; -1
    // when none has.
    int16_t findFirstAccount(std::u16string_view account, int16_t lastWord) const;
    // Moves word `index` with all its elements to the end of the list; the
    // words after it move up one.
    void moveWordToEnd(int16_t index);
    // Word `index` becomes a word of one element, its other elements dropped.
    void resetWord(int16_t index, const std::u16string& name, const std::u16string& account);

    // `visit(elements)` for each word in order, for scans over whole lists.
    template <typename Visit>
    void forEachWord(Visit visit) const {
        for (int w = 0; w <= lastWord_; ++w) {
            visit(words_[static_cast<size_t>(w)]->elements());
        }
    }

    // Counts the changes: a list whose revision is the same has not changed.
    uint64_t revision() const { return revision_; }

  private:
    StrArray& word(int16_t index);
    const StrArray& word(int16_t index) const;

    int16_t cursor_ = 0;
    int16_t lastWord_ = -1;
    // Slot k holds word k for k <= lastWord_; a slot above it may be empty
    // (after setLength) or keep a dropped word (after decrementElementLength).
    std::vector<std::unique_ptr<StrArray>> words_;
    uint64_t revision_ = 0;
};

}  // namespace wordvane
