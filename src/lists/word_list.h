#pragma once

#include <cstdint>
#include <deque>
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

// One name or account of a list: a string of its own, or a part of a file
// text the list keeps (see WordListClass::keepText), so that reading a file
// makes no string per value.
class ListText {
  public:
    ListText() = default;
    // A copy of `text`.
    ListText(std::u16string_view text);
    ListText(const std::u16string& text) : ListText(std::u16string_view(text)) {}
    ListText(const char16_t* text) : ListText(std::u16string_view(text)) {}
    // `part` itself, which must lie in a text its list keeps.
    static ListText partOfKeptText(std::u16string_view part) {
        ListText text;
        text.view_ = part;
        return text;
    }
    ListText(ListText&& other) noexcept;
    ListText& operator=(ListText&& other) noexcept;

    operator std::u16string_view() const { return view_; }
    std::u16string_view view() const { return view_; }
    bool isPartOfKeptText() const { return !own_ && view_.data() != nullptr; }

  private:
    std::u16string_view view_;
    std::unique_ptr<char16_t[]> own_;
};

struct ListElement {
    ListText name;
    ListText account;
};

// A list: an ordered sequence of words, each an ordered sequence of elements
// (name, account). `getWordLength()` is the highest word index, -1 for an
// empty list; `getElementLength(w)` the highest element index of word w, -1
// for a word without elements. Indices above those are ignored where a
// reader asks (an empty string, no change); misuse (a negative index, a word
// slot that does not exist) throws ListStoreError.
class WordListClass {
  public:
    // `arrayLength` words without elements; the cursor at word 0. The words,
    // elements and texts kept before are gone.
    void setLength(int16_t arrayLength);
    // For the file reader: the list keeps `text` until setLength, or until no
    // value is a part of it any more, so that its parts can be the list's
    // values (ListText::partOfKeptText); the kept text may be changed in
    // place, and never moves.
    std::u16string& keepText(std::u16string text);
    bool keepsText() const { return !keptTexts_.empty(); }
    // One element more at the end of the word at the cursor; nextIndex moves
    // the cursor to the next word.
    void setString(ListText name, ListText account);
    void nextIndex();

    void addNewString(const std::u16string& name, const std::u16string& account);
    // Whether one more word (`index` -1) or one more element of word `index`
    // fits.
    bool hasRoomFor(int16_t index) const;
    void addNewWord(int16_t index, const std::u16string& name, const std::u16string& account);
    void changeString(int16_t listindex, int16_t wordIndex, const std::u16string& name,
                      const std::u16string& account);
    int16_t getElementLength(int16_t index) const;
    std::u16string getString(int16_t wordIndex, int16_t elementIndex, int16_t nameOrAccount) const {
        return std::u16string(peekString(wordIndex, elementIndex, nameOrAccount));
    }
    // The same string without a copy, for scans over whole lists; valid until
    // the list changes.
    std::u16string_view peekString(int16_t wordIndex, int16_t elementIndex,
                                   int16_t nameOrAccount) const;
    int16_t getWordLength() const { return lastWord_; }
    void decrementElementLength();
    void decrementAttributeLength(int16_t index);
    void changeName(int16_t wordIndex, int16_t elementIndex, const std::u16string& name);
    void exchangeWord(int16_t index1, int16_t index2);

    // Element 0 of word `last` becomes element 0 of word `first`, and element
    // 0 of words `first` to `last` - 1 each moves one word down (a word
    // without elements gets an empty one to move). The words' other elements
    // stay where they are.
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
            visit(elementsOf(words_[static_cast<size_t>(w)]));
        }
    }

    // Counts the changes: a list whose revision is the same has not changed.
    uint64_t revision() const { return revision_; }

  private:
    // A word's elements are elements_[first] to elements_[first + length];
    // the rows after them up to `room` are its own, left over from dropped
    // elements. A slot above the last word may hold no word (after
    // setLength) or keep a dropped word (after decrementElementLength).
    struct Word {
        uint32_t first = 0;
        uint32_t room = 0;
        int16_t length = -1;
        bool exists = true;
    };

    Word& word(int16_t index);
    const Word& word(int16_t index) const;
    std::span<const ListElement> elementsOf(const Word& w) const {
        return {elements_.data() + w.first, static_cast<size_t>(w.length + 1)};
    }
    ListElement& element(const Word& w, int16_t index) {
        return elements_[w.first + static_cast<uint32_t>(index)];
    }
    void append(Word& w, ListText name, ListText account);
    // Every value that goes goes through here, so that the kept texts go
    // with the last value that is a part of them.
    void replace(ListText& value, ListText by);
    void replace(ListElement& row, ListElement by) {
        replace(row.name, std::move(by.name));
        replace(row.account, std::move(by.account));
    }
    void drop(Word& w);
    void compactIfSparse();

    int16_t cursor_ = 0;
    int16_t lastWord_ = -1;
    std::vector<Word> words_;
    // The rows of every word; rows no word owns any more are counted in
    // unowned_ and go at the next compaction.
    std::vector<ListElement> elements_;
    size_t unowned_ = 0;
    // Texts the values may be parts of; a deque, so that none moves.
    std::deque<std::u16string> keptTexts_;
    size_t partsOfKeptTexts_ = 0;
    uint64_t revision_ = 0;
};

}  // namespace wordvane
