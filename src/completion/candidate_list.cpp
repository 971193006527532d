// The candidate list: filling List1 for the current level and abbreviation,
// showing and hiding Form1, placing it and laying it out.

#include <algorithm>

#include "completion/completion.h"
#include "platform/foreground_keeper.h"
#include "ui/placement.h"

namespace wordvane {

namespace {

bool beginsWith(std::u16string_view name, std::u16string_view prefix) {
    return name.starts_with(prefix);
}

struct Layout {
    int32_t formWidth, formHeight;
    int32_t textLeft, textTop, textWidth, textHeight;
    int32_t command1Left, command1Top, command2Left, command2Top;
};

constexpr Layout kLayouts[] = {
    {2880, 3915, 0, 2800, 3100, 730, 1800, 2040, 1800, 2400},
    {5730, 3150, 2800, 0, 3100, 2800, 3680, 2400, 4640, 2400},
    {8475, 3165, 2800, 0, 5900, 2800, 6480, 2400, 7440, 2400},
};

}  // namespace

bool Completion::completionOff() const {
    return form1_.mnuModeMenu.mnuOff.checked();
}

// The exact match of a unique or "r" list opens the word; its candidates
// follow on the next ticks.
void Completion::openWordAt(int16_t word) {
    openWord_ = word;
    pendingKey_ = typedText_.substr(typedText_.size() - 1);
    typedText_.clear();
    checkElement(word);
    if (currentList_ == kLauncherList) {
        closeLauncherBox();
    }
}

// An exact element match ends the cycle, or stays on the word for the next
// candidate when the list has cancel keys.
void Completion::takeElement() {
    if (lists_.cancelKeyLine(currentList_) == kNoCancelKeys) {
        openWord_ = -1;
    } else {
        pendingKey_ = typedText_.substr(typedText_.size() - 1);
    }
    typedText_.clear();
}

// Fills List1 with the names that begin with `typed` (or, for a search, the
// entries `found` marks), remembering the word or element each line shows;
// returns how many.
int16_t Completion::fillMatches(const std::u16string& typed, const std::vector<bool>* found) {
    const WordListClass& words = currentWords();
    std::vector<std::u16string> matches;
    lineEntries_.clear();
    linesLevel_ = openWord_;
    const bool wordLevel = openWord_ == -1;
    const int first = wordLevel ? 0 : 1;
    const int last = wordLevel ? words.getWordLength() : words.getElementLength(openWord_);
    for (int i = first; i <= last; ++i) {
        const auto index = static_cast<int16_t>(i);
        if (found != nullptr &&
            (static_cast<size_t>(i) >= found->size() || !(*found)[static_cast<size_t>(i)])) {
            continue;  // a search looks at its own marks, not at the names
        }
        const std::u16string_view name =
            wordLevel ? words.peekString(index, 0, 0) : words.peekString(openWord_, index, 0);
        if (found == nullptr && !beginsWith(name, typed)) {
            continue;
        }
        matches.emplace_back(name);
        lineEntries_.push_back(index);
    }
    const auto count = static_cast<int16_t>(matches.size());
    form1_.List1.setItems(std::move(matches));
    return count;
}

// Returns false when the list is to stay hidden.
bool Completion::filterByAbbreviation() {
    const WordListClass& words = currentWords();
    const int16_t matches = fillMatches(typedText_);
    if (form1_.List1.listCount() < lastListIndex_ + 1) {
        lastListIndex_ = 0;
    }
    if (matches == 0) {
        return false;
    }
    form1_.List1.setListIndex(lastListIndex_);
    lastListIndex_ = 0;
    const bool replaces = lists_.replaceAbbrev[static_cast<size_t>(currentList_)];
    if (openWord_ == -1) {
        const int16_t w = getCorrespondIndex(-1);
        // A word without elements is never opened by typing: it stays shown
        // and selected for the user to decide (the launcher opens it).
        if (words.getString(w, 0, 0) == typedText_ && words.getElementLength(w) > 0) {
            if (matches == 1 || replaces) {
                openWordAt(w);
                return false;
            }
            shownText_ = typedText_;
        }
        form1_.Text1.setText(words.getString(w, 0, 1));
    } else {
        const int16_t e = getCorrespondIndex(openWord_);
        if (words.getString(openWord_, e, 0) == typedText_) {
            if (matches == 1 || replaces) {
                takeElement();
                return false;
            }
            shownText_ = typedText_;
        }
        form1_.Text1.setText(words.getString(openWord_, e, 1));
    }
    return true;
}

// The whole level, without an abbreviation. False when it has nothing to show.
bool Completion::fillWholeLevel() {
    const WordListClass& words = currentWords();
    fillMatches(u"");
    if (form1_.List1.listCount() == 0) {
        return false;
    }
    if (openWord_ == -1) {
        // Words 0 and 1 of the clipboard list are the storage and the fixed
        // word: the newest capture is word 2.
        const int16_t first = currentList_ == kClipboardList && words.getWordLength() >= 2 ? 2 : 0;
        form1_.List1.setListIndex(first);
        form1_.Text1.setText(words.getString(first, 0, 1));
    } else {
        form1_.List1.setListIndex(0);
        form1_.Text1.setText(words.getString(openWord_, 1, 1));
    }
    return true;
}

// A shown list is refreshed in place: it never hides between two keys, and
// its navigation hotkeys stay registered, so a fast Tab or Return is never
// the application's.
void Completion::showList() {
    ForegroundKeeper foreground(platform_);
    const bool wasShown = form1_.visible();
    if (searching_) {
        fillSearchResults();
        if (wasShown && onListChanged) {
            onListChanged();
        }
        return;
    }
    const bool show = typedText_.empty() ? fillWholeLevel() : filterByAbbreviation();
    if (show) {
        if (wasShown && onListChanged) {
            onListChanged();
        }
        form_visible(true);
    } else {
        form_visible(false);
        form1_.List1.clear();
    }
}

std::optional<int16_t> Completion::entryOfLine(int16_t level, int line) const {
    if (level != linesLevel_ || line < 0 || static_cast<size_t>(line) >= lineEntries_.size() ||
        lineEntries_.size() != static_cast<size_t>(form1_.List1.listCount())) {
        return std::nullopt;
    }
    return lineEntries_[static_cast<size_t>(line)];
}

std::optional<int16_t> Completion::selectedEntry() const {
    return entryOfLine(openWord_, form1_.List1.listIndex());
}

int16_t Completion::getCorrespondIndex(int16_t wordIndex) const {
    return entryOfLine(wordIndex, form1_.List1.listIndex()).value_or(0);
}

void Completion::selectEntry(int16_t entry) {
    const auto line = std::find(lineEntries_.begin(), lineEntries_.end(), entry);
    form1_.List1.setListIndex(
        line == lineEntries_.end() ? 0 : static_cast<int16_t>(line - lineEntries_.begin()));
}

void Completion::checkElement(int16_t index) {
    if (currentWords().getElementLength(index) <= 0) {
        typedText_.clear();
        openWord_ = -1;
        pendingKey_.clear();
    }
}

void Completion::form_visible(bool visible) {
    ForegroundKeeper foreground(platform_);
    if (visible && !form1_.visible()) {
        rememberServedWindow();
        platform_.watchMouseClicks(true);
        hotkeys_.setNavigationHotKey(!platform_.imeOpen());
        form1_.setVisible(true);
    } else if (!visible && form1_.visible()) {
        endSearch();
        form1_.setVisible(false);
        platform_.watchMouseClicks(false);
        hotkeys_.deleteNavigationHotKey();
        if (onListChanged) {
            onListChanged();
        }
    }
}

// Shown again after one of our questions or dialogs (our own window in
// front), the list still serves the application it served.
void Completion::rememberServedWindow() {
    const WindowHandle foreground = platform_.foregroundWindow();
    const uint32_t process = platform_.processOf(foreground);
    if (process != platform_.ownProcess()) {
        servedWindow_ = foreground;
        servedControl_ = platform_.focusedControl();
    }
}

bool Completion::followForeground() {
    const WindowHandle foreground = platform_.foregroundWindow();
    if (form1_.visible() && userMovedOn(foreground)) {
        hideEverything();
        typedText_.clear();
        openWord_ = -1;
    }
    if (foreground != lastForeground_) {
        lastForeground_ = foreground;
        foregroundElevated_ = foreground != 0 && platform_.elevatedAboveUs(foreground);
    }
    return foregroundElevated_;
}

// The list serves one control of one window: the user has moved on when
// another window is in front (of the same process or not), another control
// of it has the keyboard, or a click landed outside the program's windows
// (it may have moved the caret). The program's own windows (the filter box,
// a question) do not count.
bool Completion::userMovedOn(WindowHandle foreground) {
    const uint32_t own = platform_.ownProcess();
    bool movedOn = false;
    for (const WindowHandle clicked : platform_.takeMouseClicks()) {
        movedOn = movedOn || platform_.processOf(clicked) != own;
    }
    if (foreground != 0 && platform_.processOf(foreground) != own) {
        const WindowHandle control = platform_.focusedControl();
        movedOn = movedOn || foreground != servedWindow_ ||
                  (control != 0 && servedControl_ != 0 && control != servedControl_);
    }
    return movedOn;
}

void Completion::forcedShowList() {
    if (completionOff() || platform_.elevatedAboveUs(platform_.foregroundWindow())) {
        return;
    }
    ForegroundKeeper foreground(platform_);
    if (currentList_ == kLauncherList) {
        openLauncherBox();
        foreground.handTo(launcherBox_.handle());
    }
    forcedList_ = true;
    if (openWord_ == -1) {
        reshowListPending_ = true;
        return;
    }
    if (form1_.visible()) {
        return;
    }
    skipNextKey_ = true;
    std::u16string elementKey = lists_.elementKey(currentList_);
    if (elementKey != kNeverElementKey) {
        typedText_.clear();
        selectWord(elementKey);
    } else {
        showList();
    }
}

// The launcher list is filtered in its own text box, which takes the
// keyboard. The system lets the program take the foreground only while it
// handles the user's input: the hotkey that opens the launcher.
void Completion::openLauncherBox() {
    showBoxWithKeyboard(u"");
}

// The filter box, empty, in front with the keyboard (the launcher's filter,
// or the search of any list under `caption`).
void Completion::showBoxWithKeyboard(const std::u16string& caption) {
    rememberServedWindow();
    launcherBox_.setCaption(caption);
    launcherBox_.Text1.setText(u"");
    launcherBox_.setVisible(true);
    platform_.setForegroundWindow(launcherBox_.handle());
    launcherBox_.Text1.setFocused(true);
    // The box takes the navigation keys itself (its IME may want them).
    hotkeys_.deleteNavigationHotKey();
}

void Completion::closeLauncherBox() {
    const bool hadKeyboard = launcherBox_.visible();
    launcherBox_.setVisible(false);
    if (hadKeyboard) {
        giveKeyboardBack(launcherBox_.handle());
        if (form1_.visible()) {
            hotkeys_.setNavigationHotKey(!platform_.imeOpen());  // the next list's keys
        }
    }
}

// When `ours` has the keyboard, it goes back to the window the list was
// opened over (not to the next window in Z-order, often a hidden one of
// ours).
void Completion::giveKeyboardBack(WindowHandle ours) {
    if (platform_.foregroundWindow() == ours && servedWindow_ != 0 &&
        platform_.isWindow(servedWindow_)) {
        platform_.setForegroundWindow(servedWindow_);
    }
}

namespace {

// The caret of the foreground application from the first source that knows
// it; the mouse pointer when none does (browsers, Electron and WinUI
// applications often have no caret the older sources see). The sources
// together have 150 ms: one asked after that has no answer.
Caret findCaret(Platform& platform) {
    constexpr uint64_t kAnswerMs = 150;
    const uint64_t answerBy = platform.milliseconds() + kAnswerMs;
    for (const CaretSource source : kCaretSources) {
        if (auto caret = platform.caret(source, answerBy)) {
            return *caret;
        }
    }
    return Caret{platform.cursorPosition(), u""};
}

}  // namespace

// The list goes on the monitor of the caret or the pointer, at that
// monitor's DPI, and stays inside its work area; the launcher's filter box
// and the balloon go with it.
void Completion::setWindowPosision() {
    ForegroundKeeper foreground(platform_);
    Rect area;
    if (form1_.mnuModeMenu.mnuCaretPos.checked()) {
        Caret caret = findCaret(platform_);
        std::erase(caret.windowClass, u' ');
        area = ui::takeToMonitorAt(form1_, platform_, caret.position);
        const PixelScale scale{form1_.dpi()};
        // The offsets are pixels at 96 dpi, kept in twips so that they grow
        // with the monitor's scale.
        constexpr int32_t kTwips = kTwipsPerPixelAt96Dpi;
        const int32_t caretTop = scale.twips(caret.position.y) +
                                 (caret.windowClass == u"TextEditorWindow" ? 85 * kTwips : 0);
        const int32_t below =
            caret.height > 0 ? scale.twips(caret.height) + 2 * kTwips : 20 * kTwips;
        int32_t left = scale.twips(caret.position.x);
        int32_t top = caretTop + below;
        if (left + form1_.width() > area.right) {
            left = area.right - form1_.width();
        }
        if (top + form1_.height() > area.bottom) {
            top = caretTop - form1_.height();
        }
        form1_.setLeft(left);
        form1_.setTop(top);
    } else {
        const Point cursor = platform_.cursorPosition();
        area = ui::takeToMonitorAt(form1_, platform_, cursor);
        const PixelScale scale{form1_.dpi()};
        // The sizes are pixels at 96 dpi, scaled with the monitor.
        const auto& size = windowSizePx_[static_cast<size_t>(
            std::clamp<int16_t>(lists_.listDisplaySize[static_cast<size_t>(currentList_)], 0, 2))];
        form1_.place(scale.twips(cursor.x) - 50 * kTwipsPerPixelAt96Dpi,
                     scale.twips(cursor.y) - 20 * kTwipsPerPixelAt96Dpi,
                     size[0] * kTwipsPerPixelAt96Dpi, size[1] * kTwipsPerPixelAt96Dpi);
        if (form1_.left() + form1_.width() > area.right) {
            const int32_t left = area.right - form1_.width() - 200;
            form1_.setLeft(left < area.left ? area.left + 200 : left);
        }
        if (form1_.top() + form1_.height() > area.bottom) {
            const int32_t top = area.bottom - form1_.height() - 200;
            form1_.setTop(top < area.top ? area.top + 200 : top);
        }
    }
    // Never off the work area's left or top; the launcher's filter box goes
    // above the list and needs its room there.
    const int32_t filterBox = currentList_ == kLauncherList ? launcherBox_.height() : 0;
    form1_.setLeft(std::max(form1_.left(), area.left));
    form1_.setTop(std::max(form1_.top(), area.top + filterBox));
    launcherBox_.setDpi(form1_.dpi());
    launcherBox_.setTop(form1_.top() - launcherBox_.height());
    launcherBox_.setLeft(form1_.left());
    ui::keepInside(launcherBox_, area);
}

void Completion::setWindowSize() {
    const int16_t size = lists_.listDisplaySize[static_cast<size_t>(currentList_)];
    if (size < 0 || size > 2) {
        return;
    }
    const Layout& layout = kLayouts[size];
    form1_.setWidth(layout.formWidth);
    form1_.setHeight(layout.formHeight);
    form1_.Text1.place(layout.textLeft, layout.textTop, layout.textWidth, layout.textHeight);
    form1_.Command1.setLeft(layout.command1Left);
    form1_.Command1.setTop(layout.command1Top);
    form1_.Command2.setLeft(layout.command2Left);
    form1_.Command2.setTop(layout.command2Top);
}

}  // namespace wordvane
