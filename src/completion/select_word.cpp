// The completion logic: what each key spelling does to the abbreviation,
// the opened word and the candidate list, and the decide that types the
// chosen entry into the application.

#include <array>

#include "completion/completion.h"
#include "lists/one_line_text.h"

namespace wordvane {

namespace {

constexpr std::array<const char16_t*, 10> kResetWhileHidden = {
    u"up", u"down", u"btab", u"pageup", u"pagedown", u"return", u"home", u"end", u"right", u"left"};

bool isOneOf(const std::u16string& spelling, const auto& words) {
    for (const char16_t* word : words) {
        if (spelling == word) {
            return true;
        }
    }
    return false;
}

// The characters of `text` after the first `typed` ones; nothing when the
// text is not longer.
std::u16string lastCharacters(const std::u16string& text, size_t typed) {
    return typed >= text.size() ? std::u16string() : text.substr(typed);
}

}  // namespace

// Esc and the cancel keys end the cycle.
void Completion::hideHelperWindows() {
    balloon_.setVisible(false);
    endSearch();
    if (currentList_ == kLauncherList) {
        closeLauncherBox();
    }
}

void Completion::closeList() {
    typedText_.clear();
    openWord_ = -1;
    hideEverything();
}

void Completion::announceSelection() {
    const int line = form1_.List1.listIndex();
    if (!form1_.visible() || line < 0) {
        announcedLine_ = -1;
        return;
    }
    std::u16string text = form1_.List1.text() + u"、" + form1_.Text1.text();
    if (line != announcedLine_ || text != announced_) {
        platform_.announceSelection(form1_.handle(), line, text);
        announcedLine_ = line;
        announced_ = std::move(text);
    }
}

void Completion::hideEverything() {
    forcedList_ = false;
    form_visible(false);
    hideHelperWindows();
}

bool Completion::isCancelKey(const std::u16string& spelling) const {
    for (int k = 0; k < 10; ++k) {
        if (cancelKey(currentList_, k) == spelling) {
            return true;
        }
    }
    return false;
}

void Completion::decide() {
    const WordListClass& words = currentWords();
    if (currentList_ == kClipboardList && openWord_ == -1 &&
        words.peekString(getCorrespondIndex(-1), 0, 0).empty()) {
        // An empty slot of the history: its account only says that it is
        // empty, and nothing is inserted.
        return;
    }
    if (searching_ && !selectedEntry()) {
        return;  // nothing found: nothing to insert
    }
    afterDecide_ = true;
    // The box gives the keyboard back to the application first: an
    // insertion goes there, and an opened word's elements come unsearched.
    endSearch();
    if (currentList_ == kLauncherList) {
        closeLauncherBox();
    }
    const std::u16string selected = form1_.List1.text();
    // A word without elements has nothing to open: deciding it inserts it as
    // the "t" flag would, so that an erased abbreviation is never left without
    // its text (a clipboard entry, a launcher entry, a word of one string).
    const bool wordWithoutElements =
        openWord_ == -1 && words.getElementLength(getCorrespondIndex(-1)) <= 0;
    if (!shownText_.empty() && shownText_ == selected && !wordWithoutElements) {
        // Confirms an exact match that was left on screen: opens it.
        form_visible(false);
        typedText_.clear();
        shownText_.clear();
        if (openWord_ == -1) {
            openWord_ = getCorrespondIndex(-1);
            checkElement(openWord_);
        } else if (lists_.cancelKeyLine(currentList_) == kNoCancelKeys) {
            openWord_ = -1;
        }
        return;
    }
    lastListIndex_ = form1_.List1.listIndex();
    form_visible(false);
    const auto current = static_cast<size_t>(currentList_);
    if (openWord_ == -1 && !wordWithoutElements && !lists_.insertAtWordLevel[current]) {
        // Without "t" a decided word is opened, not inserted.
        insertion_.setBackSpace(static_cast<int16_t>(typedText_.size()));
        typedText_ = selected;
        showList();
        return;
    }
    std::u16string text;
    std::u16string typedAfter = selected;
    int16_t replaced = 0;
    if (!lists_.replaceAbbrev[current]) {
        // The typed prefix stays in the document; only the rest is added.
        if (currentList_ == kClipboardList) {
            typedAfter = words.getString(getCorrespondIndex(-1), 0, 1);
            text = lastCharacters(typedAfter, typedText_.size());
        } else {
            text = getChangedLine(lastCharacters(selected, typedText_.size()));
        }
    } else {
        // The abbreviation is replaced by the entry's account.
        if (currentList_ != kLauncherList) {
            replaced = static_cast<int16_t>(typedText_.size());
        }
        text = openWord_ == -1 ? words.getString(getCorrespondIndex(-1), 0, 1)
                               : words.getString(openWord_, getCorrespondIndex(openWord_), 1);
    }
    skipNextKey_ = true;
    if (!insertion_.clipInsert(text, replaced) && !text.empty()) {
        // The clipboard could not be written: nothing was typed, and the list
        // comes back as it was so that the user can try again.
        skipNextKey_ = false;
        showList();
        return;
    }
    if (wordWithoutElements) {
        // Nothing follows a word without elements: the cycle ends with it.
        typedText_.clear();
        shownText_.clear();
        hideEverything();
        return;
    }
    typedText_ = typedAfter;
    showList();
}

void Completion::whileShown(const std::u16string& spelling) {
    if (isOneOf(spelling, std::array{u"↑", u"↓", u"pageup", u"pagedown"})) {
        return;  // the navigation hotkeys move the selection
    }
    if (spelling == u"decide") {
        decide();
        return;
    }
    shownText_.clear();
    if (spelling == u"backspace") {
        if (typedText_.empty()) {
            form_visible(false);
            form1_.List1.clear();
        } else {
            typedText_.pop_back();
            showList();
        }
        return;
    }
    typedText_ += spelling;
    showList();
}

void Completion::whileHidden(const std::u16string& spelling) {
    if (isOneOf(spelling, kResetWhileHidden)) {
        typedText_.clear();
        forcedList_ = false;
        return;
    }
    const std::u16string& startChar = lists_.startChar(currentList_);
    if (!startChar.empty() && spelling == startChar) {
        typedText_.clear();
        openWord_ = -1;
        showList();
        return;
    }
    if (spelling == u"backspace") {
        if (!typedText_.empty()) {
            typedText_.pop_back();
            if (forcedList_) {
                showList();
            }
        }
        return;
    }
    if (spelling == lists_.elementKey(currentList_)) {
        if (openWord_ != -1 && currentWords().getElementLength(openWord_) >= 1) {
            typedText_.clear();
            showList();
        }
        return;
    }
    if (spelling == u" " || spelling == u"," || spelling == u".") {
        typedText_.clear();
        return;
    }
    typedText_ += spelling;
}

void Completion::selectWord(std::u16string& spelling) {
    if (afterDecide_) {
        if (spelling == u"return") {
            return;
        }
        afterDecide_ = false;
    }
    lastListIndex_ = 0;
    const bool shown = form1_.visible();
    if (!shown) {
        if (spelling == u"↑") {
            spelling = u"up";
        } else if (spelling == u"↓") {
            spelling = u"down";
        } else if (spelling == u"→") {
            spelling = u"right";
        } else if (spelling == u"←") {
            spelling = u"left";
        }
    }
    if (spelling == u"Esc") {
        // A first Esc clears the typed text, a second one leaves the opened word.
        if (typedText_.empty()) {
            openWord_ = -1;
        } else {
            typedText_.clear();
        }
        hideEverything();
        return;
    }
    if (isCancelKey(spelling)) {
        closeList();
        return;
    }
    if (shown) {
        whileShown(spelling);
    } else {
        whileHidden(spelling);
    }
}

}  // namespace wordvane
