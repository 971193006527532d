#include "completion/completion.h"

namespace wordvane {

Completion::Completion(Platform& platform, ui::Form1& form1, ui::Window& balloon,
                       ui::Form8& launcherBox, const Lists& lists, HotKeys& hotkeys,
                       Insertion& insertion)
    : platform_(platform),
      form1_(form1),
      balloon_(balloon),
      launcherBox_(launcherBox),
      lists_(lists),
      hotkeys_(hotkeys),
      insertion_(insertion),
      search_(platform) {}

void Completion::initialise() {
    typedText_.clear();
    pendingKey_.clear();
    shownText_.clear();
    reshowListPending_ = false;
    forcedList_ = false;
    skipNextKey_ = false;
    displaySize_ = 0;
    lastListIndex_ = 0;
    openWord_ = -1;
    windowSizePx_ = {{{185, 260}, {380, 211}, {555, 211}}};
}

void Completion::startOn(int16_t list) {
    currentList_ = list;
    displaySize_ = lists_.listDisplaySize[static_cast<size_t>(list)];
    setWindowSize();
}

void Completion::switchList(int16_t list, const std::u16string& caption) {
    // Nothing of the old list may reach the new one: its opened word, typed
    // text, queued key or selected line would index into another list.
    endCycle();
    pendingKey_.clear();
    shownText_.clear();
    lastListIndex_ = 0;
    currentList_ = list;
    displaySize_ = lists_.listDisplaySize[static_cast<size_t>(list)];
    form1_.setCaption(caption);
    setWindowSize();
}

void Completion::wordsMoved(int16_t list, int16_t from, int16_t by, int16_t last) {
    if (list != currentList_) {
        return;
    }
    if (openWord_ >= from) {
        openWord_ = static_cast<int16_t>(openWord_ + by);
        if (openWord_ > last) {
            endCycle();
        }
        return;
    }
    if (openWord_ != -1 || !form1_.visible()) {
        return;
    }
    std::optional<int16_t> selected = selectedEntry();
    if (selected && *selected >= from) {
        selected = static_cast<int16_t>(*selected + by);
    }
    if (fillMatches(typedText_) == 0) {
        endCycle();
        return;
    }
    selectEntry(selected && *selected <= last ? *selected : lineEntries_.front());
    form1_.Text1.setText(currentWords().getString(getCorrespondIndex(-1), 0, 1));
}

void Completion::endCycle() {
    form_visible(false);
    typedText_.clear();
    openWord_ = -1;
}

bool Completion::takeSkipNextKey() {
    const bool skip = skipNextKey_;
    skipNextKey_ = false;
    return skip;
}

// A list hotkey asked for the list: the word level opens, typing the start
// character into the application first when the settings say so.
bool Completion::reshowIfPending() {
    if (!reshowListPending_) {
        return false;
    }
    reshowListPending_ = false;
    if (completionOff()) {
        return false;
    }
    std::u16string startChar = lists_.startChar(currentList_);
    if (startChar.empty()) {
        openWord_ = -1;
        showList();
        return true;
    }
    form_visible(false);
    typedText_.clear();
    openWord_ = -1;
    if (lists_.settings.showStartChar) {
        // What the start character's key types: a key named by the list
        // header ("ShiftSpace") types its character, never its name.
        skipNextKey_ = true;
        insertion_.clipInsert(startChar == u"ShiftSpace" ? u" " : startChar);
    }
    selectWord(startChar);
    return true;
}

// The cases handleTickKey acts on without a key.
bool Completion::atRest() const {
    return !listShown() && !launcherBox_.visible() && pendingKey_.empty() && !reshowListPending_ &&
           !skipNextKey_ && !elementsToListWithoutKey();
}

bool Completion::elementsToListWithoutKey() const {
    return lists_.elementKey(currentList_) == kNoElementKey && openWord_ != -1 &&
           typedText_.empty() && !form1_.visible();
}

void Completion::handleTickKey(std::u16string& spelling) {
    if (!pendingKey_.empty()) {
        std::u16string pending = pendingKey_;
        selectWord(pending);
        pendingKey_.clear();
        typedText_.clear();
        return;
    }
    if (elementsToListWithoutKey()) {
        // The elements of the word just opened are listed without a key.
        std::u16string listElements = kNoElementKey;
        selectWord(listElements);
        return;
    }
    if (!spelling.empty() && spelling != u"insert" &&
        (spelling == u"Esc" || currentList_ != kLauncherList)) {
        selectWord(spelling);
    }
}

}  // namespace wordvane
