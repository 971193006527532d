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

void Lists::addWord(int list, int16_t index, const std::u16string& name,
                    const std::u16string& account) {
    WordListClass& target = words(list);
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
}

void Lists::markSaved(int list) {
    if (list >= kFirstWordList) {
        wordListChanged[static_cast<size_t>(list - kFirstWordList)] = false;
    }
}

bool Lists::changedAndLoaded(int wordList) const {
    return wordListChanged[static_cast<size_t>(wordList - kFirstWordList)] && loaded(wordList);
}

}  // namespace wordvane
