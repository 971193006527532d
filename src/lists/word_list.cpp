#include "lists/word_list.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace wordvane {

namespace {

int16_t checked16(int value) {
    if (value < std::numeric_limits<int16_t>::min() ||
        value > std::numeric_limits<int16_t>::max()) {
        throw ListStoreError("16-bit index overflow");
    }
    return static_cast<int16_t>(value);
}

void checkColumn(int16_t column) {
    if (column != 0 && column != 1) {
        throw ListStoreError("column out of range");
    }
}

// Rows no word owns are dropped once there are this many and they are
// more than half of all rows.
constexpr size_t kFewestUnownedToCompact = 1024;

}  // namespace

ListText::ListText(std::u16string_view text) {
    if (!text.empty()) {
        own_ = std::make_unique_for_overwrite<char16_t[]>(text.size());
        std::copy(text.begin(), text.end(), own_.get());
        view_ = {own_.get(), text.size()};
    }
}

ListText::ListText(ListText&& other) noexcept
    : view_(std::exchange(other.view_, {})), own_(std::move(other.own_)) {}

ListText& ListText::operator=(ListText&& other) noexcept {
    if (this != &other) {
        own_ = std::move(other.own_);
        view_ = std::exchange(other.view_, {});
    }
    return *this;
}

WordListClass::Word& WordListClass::word(int16_t index) {
    return const_cast<Word&>(static_cast<const WordListClass*>(this)->word(index));
}

const WordListClass::Word& WordListClass::word(int16_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= words_.size()) {
        throw ListStoreError("word index out of range");
    }
    if (!words_[static_cast<size_t>(index)].exists) {
        throw ListStoreError("word slot holds no word");
    }
    return words_[static_cast<size_t>(index)];
}

void WordListClass::append(Word& w, ListText name, ListText account) {
    const int16_t length = checked16(w.length + 1);
    const auto rows = static_cast<uint32_t>(length);  // the rows in use before
    partsOfKeptTexts_ += name.isPartOfKeptText() + account.isPartOfKeptText();
    if (rows < w.room) {
        replace(element(w, length), {std::move(name), std::move(account)});
    } else {
        const bool atTheEnd = w.room > 0 && w.first + w.room == elements_.size();
        if (!atTheEnd) {
            // The word's rows move to the end, where it can grow.
            if (elements_.capacity() - elements_.size() <= rows) {
                elements_.reserve(std::max(elements_.capacity() * 2, elements_.size() + rows + 1));
            }
            const auto first = static_cast<uint32_t>(elements_.size());
            for (uint32_t k = 0; k < rows; ++k) {
                elements_.push_back(std::move(elements_[w.first + k]));
            }
            unowned_ += w.room;
            w.first = first;
            w.room = rows;
        }
        elements_.push_back({std::move(name), std::move(account)});
        ++w.room;
    }
    w.length = length;
}

void WordListClass::replace(ListText& value, ListText by) {
    const bool wasPart = value.isPartOfKeptText();
    value = std::move(by);
    if (wasPart && --partsOfKeptTexts_ == 0) {
        keptTexts_.clear();
    }
}

void WordListClass::drop(Word& w) {
    for (uint32_t k = 0; k < w.room; ++k) {
        replace(elements_[w.first + k], {});
    }
    unowned_ += w.room;
    w = Word{};
}

void WordListClass::compactIfSparse() {
    if (unowned_ < kFewestUnownedToCompact || unowned_ * 2 < elements_.size()) {
        return;
    }
    std::vector<ListElement> rows;
    rows.reserve(elements_.size() - unowned_);
    for (Word& w : words_) {
        const auto first = static_cast<uint32_t>(rows.size());
        for (int e = 0; e <= w.length; ++e) {
            rows.push_back(std::move(elements_[w.first + static_cast<uint32_t>(e)]));
        }
        w.first = first;
        w.room = static_cast<uint32_t>(w.length + 1);
    }
    elements_ = std::move(rows);
    unowned_ = 0;
}

void WordListClass::setLength(int16_t arrayLength) {
    ++revision_;
    lastWord_ = checked16(arrayLength - 1);
    if (arrayLength < 0) {
        throw ListStoreError("negative word count");
    }
    words_.assign(static_cast<size_t>(arrayLength) + 1, Word{});
    words_.back().exists = false;
    elements_.clear();
    elements_.reserve(static_cast<size_t>(arrayLength));
    unowned_ = 0;
    keptTexts_.clear();
    partsOfKeptTexts_ = 0;
    cursor_ = 0;
}

std::u16string& WordListClass::keepText(std::u16string text) {
    return keptTexts_.emplace_back(std::move(text));
}

bool WordListClass::hasRoomFor(int16_t index) const {
    return index == -1 ? lastWord_ + 1 < kMostWords
                       : word(index).length < std::numeric_limits<int16_t>::max();
}

void WordListClass::addNewString(const std::u16string& name, const std::u16string& account) {
    ++revision_;
    if (!hasRoomFor(-1)) {
        throw ListStoreError("the list holds its most words");
    }
    lastWord_ = checked16(lastWord_ + 1);
    // The slots above it go, and a word dropped from the end in its slot.
    for (size_t k = static_cast<size_t>(lastWord_); k < words_.size(); ++k) {
        drop(words_[k]);
    }
    words_.resize(static_cast<size_t>(lastWord_) + 1);
    append(words_.back(), name, account);
    compactIfSparse();
}

void WordListClass::addNewWord(int16_t index, const std::u16string& name,
                               const std::u16string& account) {
    ++revision_;
    append(word(index), name, account);
    compactIfSparse();
}

void WordListClass::setString(ListText name, ListText account) {
    ++revision_;
    append(word(cursor_), std::move(name), std::move(account));
}

void WordListClass::changeString(int16_t listindex, int16_t wordIndex, const std::u16string& name,
                                 const std::u16string& account) {
    ++revision_;
    if (listindex > lastWord_) {
        return;
    }
    Word& w = word(listindex);
    if (wordIndex > w.length) {
        return;
    }
    if (wordIndex < 0) {
        throw ListStoreError("negative element index");
    }
    replace(element(w, wordIndex), {name, account});
}

void WordListClass::nextIndex() {
    ++revision_;
    cursor_ = checked16(cursor_ + 1);
}

int16_t WordListClass::getElementLength(int16_t index) const {
    return word(index).length;
}

std::u16string_view WordListClass::peekString(int16_t wordIndex, int16_t elementIndex,
                                              int16_t nameOrAccount) const {
    const Word& w = word(wordIndex);
    if (elementIndex > w.length) {
        return {};
    }
    if (elementIndex < 0) {
        throw ListStoreError("negative element index");
    }
    checkColumn(nameOrAccount);
    const ListElement& row = elements_[w.first + static_cast<uint32_t>(elementIndex)];
    return nameOrAccount == 0 ? row.name : row.account;
}

void WordListClass::decrementElementLength() {
    ++revision_;
    if (lastWord_ < 0) {
        throw ListStoreError("list has no word to drop");
    }
    --lastWord_;
}

void WordListClass::decrementAttributeLength(int16_t index) {
    ++revision_;
    Word& w = word(index);
    if (w.length < 0) {
        throw ListStoreError("word has no element to drop");
    }
    replace(element(w, w.length), {});  // its texts are freed; the row stays the word's
    --w.length;
}

void WordListClass::changeName(int16_t wordIndex, int16_t elementIndex,
                               const std::u16string& name) {
    ++revision_;
    Word& w = word(wordIndex);
    if (elementIndex < 0 || elementIndex > w.length) {
        throw ListStoreError("element index out of range");
    }
    replace(element(w, elementIndex).name, name);
}

void WordListClass::exchangeWord(int16_t index1, int16_t index2) {
    ++revision_;
    // Only the contents move; the slots stay where they are.
    std::swap(word(index1), word(index2));
}

void WordListClass::rotateFirstElements(int16_t first, int16_t last) {
    ++revision_;
    if (first >= last) {
        return;
    }
    for (int16_t c = first; c <= last; ++c) {
        if (Word& w = word(c); w.length < 0) {
            append(w, {}, {});
        }
    }
    const auto firstRow = [this](int16_t w) -> ListElement& {
        return element(words_[static_cast<size_t>(w)], 0);
    };
    ListElement carried = std::move(firstRow(last));
    for (int16_t c = last; c > first; --c) {
        firstRow(c) = std::move(firstRow(static_cast<int16_t>(c - 1)));
    }
    firstRow(first) = std::move(carried);
    compactIfSparse();
}

int16_t WordListClass::findFirstAccount(std::u16string_view account, int16_t lastWord) const {
    const int16_t end = std::min(lastWord, lastWord_);
    for (int16_t w = 0; w <= end; ++w) {
        const Word& candidate = word(w);
        if (candidate.length >= 0 && elements_[candidate.first].account.view() == account) {
            return w;
        }
    }
    return -1;
}

void WordListClass::moveWordToEnd(int16_t index) {
    ++revision_;
    word(index);  // throws for a word that does not exist
    if (index < lastWord_) {
        const auto begin = words_.begin();
        std::rotate(begin + index, begin + index + 1, begin + lastWord_ + 1);
    }
}

void WordListClass::resetWord(int16_t index, const std::u16string& name,
                              const std::u16string& account) {
    ++revision_;
    Word& w = word(index);
    for (int16_t e = w.length; e > 0; --e) {
        replace(element(w, e), {});
    }
    w.length = -1;
    append(w, name, account);
}

}  // namespace wordvane
