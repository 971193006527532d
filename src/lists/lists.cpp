#include "lists/lists.h"

namespace wordvane {

ListHeader Lists::header(int list) const {
    const auto i = static_cast<size_t>(list);
    return ListHeader{listNames[i],        startChar(list),      elementKey(list),
                      cancelKeyLine(list), insertAtWordLevel[i], replaceAbbrev[i],
                      listDisplaySize[i]};
}

void Lists::storeHeader(int list, const ListHeader& header) {
    const auto i = static_cast<size_t>(list);
    listNames[i] = header.name;
    startChar(list) = header.startChar;
    elementKey(list) = header.elementKey;
    cancelKeyLine(list) = header.cancelKeyLine;
    insertAtWordLevel[i] = header.insertAtWordLevel;
    replaceAbbrev[i] = header.replaceAbbrev;
    listDisplaySize[i] = header.displaySize;
}

bool Lists::addWord(int list, int16_t index, const std::u16string& name,
                    const std::u16string& account) {
    WordListClass& target = words(list);
    if (!target.hasRoomFor(index)) {
        return false;
    }
    if (index == -1) {
        target.addNewString(name, account);
        if (list == kClipboardList) {
            ++settings.clipHistorySize;
        }
    } else {
        target.addNewWord(index, name, account);
    }
    if (list >= kFirstWordList) {
        wordListChanged[static_cast<size_t>(list - kFirstWordList)] = true;
    }
    return true;
}

void Lists::markSaved(int list) {
    if (list >= kFirstWordList) {
        wordListChanged[static_cast<size_t>(list - kFirstWordList)] = false;
    }
}

bool Lists::changedAndLoaded(int wordList) const {
    return wordListChanged[static_cast<size_t>(wordList - kFirstWordList)] && loaded(wordList);
}

EntryRef Lists::entry(int list, int16_t word, int16_t element) const {
    const WordListClass& list_words = words(list);
    return EntryRef{list, word, element, list_words.getString(word, element, 0),
                    list_words.getString(word, element, 1)};
}

bool Lists::holds(const EntryRef& entry) const {
    const WordListClass& list_words = words(entry.list);
    return entry.word >= 0 && entry.word <= list_words.getWordLength() && entry.element >= 0 &&
           entry.element <= list_words.getElementLength(entry.word) &&
           list_words.peekString(entry.word, entry.element, 0) == entry.name &&
           list_words.peekString(entry.word, entry.element, 1) == entry.account;
}

}  // namespace wordvane
