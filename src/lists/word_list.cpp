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

}  // namespace

StrArray::StrArray() : length_(-1) {}

void StrArray::setString(std::u16string name, std::u16string account) {
    const int16_t newLength = checked16(length_ + 1);
    length_ = newLength;
    if (entries_.size() < static_cast<size_t>(length_) + 1) {
        entries_.resize(static_cast<size_t>(length_) + 1);
    }
    auto& entry = entries_[static_cast<size_t>(length_)];
    entry[0] = std::move(name);
    entry[1] = std::move(account);
}

std::u16string StrArray::getString(int16_t index, int16_t nameAccount) const {
    return peekString(index, nameAccount);
}

const std::u16string& StrArray::peekString(int16_t index, int16_t nameAccount) const {
    static const std::u16string kEmpty;
    if (index > length_) {
        return kEmpty;
    }
    if (index < 0) {
        throw ListStoreError("negative element index");
    }
    checkColumn(nameAccount);
    return entries_[static_cast<size_t>(index)][static_cast<size_t>(nameAccount)];
}

void StrArray::changeString(int16_t index, const std::u16string& name,
                            const std::u16string& account) {
    if (index > length_) {
        return;
    }
    if (index < 0) {
        throw ListStoreError("negative element index");
    }
    entries_[static_cast<size_t>(index)] = {name, account};
}

void StrArray::decrementArrayLength() {
    if (length_ < 0) {
        throw ListStoreError("word has no element to drop");
    }
    --length_;
}

void StrArray::changeName(int16_t index, const std::u16string& name) {
    if (index < 0 || index > length_) {
        throw ListStoreError("element index out of range");
    }
    entries_[static_cast<size_t>(index)][0] = name;
}

StrArray& WordListClass::word(int16_t index) {
    return const_cast<StrArray&>(static_cast<const WordListClass*>(this)->word(index));
}

const StrArray& WordListClass::word(int16_t index) const {
    if (index < 0 || static_cast<size_t>(index) >= words_.size()) {
        throw ListStoreError("word index out of range");
    }
    if (!words_[static_cast<size_t>(index)]) {
        throw ListStoreError("word slot holds no word");
    }
    return *words_[static_cast<size_t>(index)];
}

void WordListClass::setLength(int16_t arrayLength) {
    ++revision_;
    lastWord_ = checked16(arrayLength - 1);
    if (arrayLength < 0) {
        throw ListStoreError("negative word count");
    }
    std::vector<std::unique_ptr<StrArray>> fresh(static_cast<size_t>(arrayLength) + 1);
    for (int16_t k = 0; k < arrayLength; ++k) {
        fresh[static_cast<size_t>(k)] = std::make_unique<StrArray>();
    }
    words_ = std::move(fresh);
}

bool WordListClass::hasRoomFor(int16_t index) const {
    return index == -1 ? lastWord_ + 1 < kMostWords
                       : word(index).length() < std::numeric_limits<int16_t>::max();
}

void WordListClass::addNewString(const std::u16string& name, const std::u16string& account) {
    ++revision_;
    if (!hasRoomFor(-1)) {
        throw ListStoreError("the list holds its most words");
    }
    lastWord_ = checked16(lastWord_ + 1);
    words_.resize(static_cast<size_t>(lastWord_) + 1);
    auto fresh = std::make_unique<StrArray>();
    fresh->setString(name, account);
    words_[static_cast<size_t>(lastWord_)] = std::move(fresh);
}

void WordListClass::addNewWord(int16_t index, const std::u16string& name,
                               const std::u16string& account) {
    ++revision_;
    word(index).setString(name, account);
}

void WordListClass::setString(std::u16string name, std::u16string account) {
    ++revision_;
    word(cursor_).setString(std::move(name), std::move(account));
}

void WordListClass::changeString(int16_t listindex, int16_t wordIndex, const std::u16string& name,
                                 const std::u16string& account) {
    ++revision_;
    if (listindex > lastWord_) {
        return;
    }
    word(listindex).changeString(wordIndex, name, account);
}

void WordListClass::nextIndex() {
    ++revision_;
    cursor_ = checked16(cursor_ + 1);
}

int16_t WordListClass::getElementLength(int16_t index) const {
    return word(index).length();
}

std::u16string WordListClass::getString(int16_t wordIndex, int16_t elementIndex,
                                        int16_t nameOrAccount) const {
    return word(wordIndex).getString(elementIndex, nameOrAccount);
}

const std::u16string& WordListClass::peekString(int16_t wordIndex, int16_t elementIndex,
                                                int16_t nameOrAccount) const {
    return word(wordIndex).peekString(elementIndex, nameOrAccount);
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
    word(index).decrementArrayLength();
}

void WordListClass::changeName(int16_t wordIndex, int16_t elementIndex,
                               const std::u16string& name) {
    ++revision_;
    word(wordIndex).changeName(elementIndex, name);
}

void WordListClass::exchangeWord(int16_t index1, int16_t index2) {
    ++revision_;
    // Only the contents move; the slots stay where they are. With index1 ==
    // index2 the word is emptied and then refilled from the saved copy.
    StrArray& first = word(index1);
    StrArray& second = word(index2);
    const int16_t p = first.length();
    std::vector<std::array<std::u16string, 2>> saved;
    for (int e = 0; e <= p; ++e) {
        const auto index = static_cast<int16_t>(e);
        saved.push_back({first.getString(index, 0), first.getString(index, 1)});
    }
    for (int e = 0; e <= p; ++e) {
        first.decrementArrayLength();
    }
    const int16_t q = second.length();
    for (int e = 0; e <= q; ++e) {
        const auto index = static_cast<int16_t>(e);
        first.setString(second.getString(index, 0), second.getString(index, 1));
    }
    for (int e = 0; e <= q; ++e) {
        second.decrementArrayLength();
    }
    for (const auto& row : saved) {
        second.setString(row[0], row[1]);
    }
}

void WordListClass::rotateFirstElements(int16_t first, int16_t last) {
    ++revision_;
    if (first >= last) {
        return;
    }
    word(first);  // throws for words that do not exist
    word(last);
    const auto element = [this](int16_t w) -> std::array<std::u16string, 2>& {
        return words_[static_cast<size_t>(w)]->firstElement();
    };
    std::array<std::u16string, 2> carried = std::move(element(last));
    for (int16_t c = last; c > first; --c) {
        element(c) = std::move(element(static_cast<int16_t>(c - 1)));
    }
    element(first) = std::move(carried);
}

int16_t WordListClass::findFirstAccount(std::u16string_view account, int16_t lastWord) const {
    const int16_t end = std::min(lastWord, lastWord_);
    for (int w = 0; w <= end; ++w) {
        const StrArray& candidate = *words_[static_cast<size_t>(w)];
        if (candidate.length() >= 0 &&
            std::u16string_view(candidate.firstElement()[1]) == account) {
            return static_cast<int16_t>(w);
        }
    }
    return -1;
}

void WordListClass::moveWordToEnd(int16_t index) {
    ++revision_;
    word(index);  // throws for a word that does not exist
    const auto begin = words_.begin();
    std::rotate(begin + index, begin + index + 1, begin + lastWord_ + 1);
}

void WordListClass::resetWord(int16_t index, const std::u16string& name,
                              const std::u16string& account) {
    ++revision_;
    word(index);
    auto fresh = std::make_unique<StrArray>();
    fresh->setString(name, account);
    words_[static_cast<size_t>(index)] = std::move(fresh);
}

}  // namespace wordvane
