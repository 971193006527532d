#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "completion/insertion.h"
#include "completion/list_search.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"

namespace wordvane {

// The completion engine: the current list (support mode), the abbreviation
// typed so far, the opened word and the candidate list window (Form1) that
// shows them. Every key spelling of the main tick, and "decide" from the
// Tab hotkey, goes through `selectWord`.
class Completion {
  public:
    Completion(Platform& platform, ui::Form1& form1, ui::Window& balloon, ui::Form8& launcherBox,
               const Lists& lists, HotKeys& hotkeys, Insertion& insertion);

    // Start-up: nothing typed, no word open, the screen's size read.
    void initialise();
    // The list the program starts on, laid out for its display size.
    void startOn(int16_t list);

    // The completion logic. The arrow spellings are rewritten in place ("↑"
    // to "up", ...) while the list is hidden.
    void selectWord(std::u16string& spelling);

    // Changes the current list: the window hides, the typed text and the
    // opened word of the old list are forgotten, and the window is captioned
    // and laid out for the new one.
    void switchList(int16_t list, const std::u16string& caption);
    // Hides the list and forgets the typed text and the opened word.
    void endCycle();
    // The candidate window hid or its lines were filled anew (the inline
    // editor's edit mode ends then).
    std::function<void()> onListChanged;
    // The main tick's look at the foreground: the list hides when the user
    // went to another application; true while the foreground application
    // runs elevated (it takes none of our keys: no list there).
    bool followForeground();
    // The launcher's filter box changed: its text is the abbreviation.
    void setInputText(const std::u16string& text) {
        typedText_ = text;
        showList();
    }
    // Hides the balloon, and the launcher's filter box on the launcher list:
    // a command or dialog comes up instead.
    void hideHelperWindows();

    // The search over the shown list (Ctrl+F): the filter box comes up over
    // the list with the keyboard, and what is typed there narrows the list
    // to the entries whose name, text or description contains it, compared
    // folded. Esc closes it; the list stays, whole again.
    void openSearchBox();
    void setSearchText(const std::u16string& text);
    void closeSearch();
    bool searching() const { return searching_; }
    // The next tick opens the word level of the current list.
    void requestReshow() { reshowListPending_ = true; }
    // Words `from` to `last` of `list` moved `by` places down (the clipboard
    // history took a new entry): the shown lines and the opened word follow
    // their entries, and an entry that fell off the end is no longer shown.
    void wordsMoved(int16_t list, int16_t from, int16_t by, int16_t last);

    // The main tick's part: the key that the program's own keystrokes caused
    // is dropped; a list hotkey's request opens the list (true: the tick
    // ends there); then the key goes to the completion logic.
    bool takeSkipNextKey();
    bool reshowIfPending();
    void handleTickKey(std::u16string& spelling);

    // Rebuilds List1 for the current level and abbreviation, then shows the
    // window, or opens a word that the abbreviation matches exactly.
    void showList();
    // The word (wordIndex -1) or the element of word `wordIndex` that the
    // selected line of List1 shows; 0 when no line is selected at that level.
    // Lines are remembered with their entries when List1 is filled, so two
    // entries of the same name are never mistaken for each other.
    int16_t getCorrespondIndex(int16_t wordIndex) const;
    // The entry of the selected line at the current level; none when no line
    // is selected or List1 no longer shows what it was filled with.
    std::optional<int16_t> selectedEntry() const;
    // The selected line's entry of the current list (its word at the word
    // level, its element of the opened word at the element level).
    std::optional<EntryRef> selectedRef() const {
        const std::optional<int16_t> entry = selectedEntry();
        if (!entry) {
            return std::nullopt;
        }
        return openWord_ == -1 ? lists_.entry(currentList_, *entry, 0)
                               : lists_.entry(currentList_, openWord_, *entry);
    }
    // Selects the line that shows `entry` (the first line when none does).
    void selectEntry(int16_t entry);
    // Closes word `index` again when it has no candidates.
    void checkElement(int16_t index);
    // Shows (true) or hides (false) the candidate window without taking the
    // focus; the navigation hotkeys are registered exactly while it is shown.
    void form_visible(bool visible);
    // Opens the current list at once (a list hotkey or the tray icon).
    void forcedShowList();
    // Shows the launcher's filter box with the focus in it.
    void openLauncherBox();
    void closeLauncherBox();
    void giveKeyboardBack(WindowHandle ours);
    void rememberServedWindow();
    bool userMovedOn(WindowHandle foreground);
    // Moves the candidate window to the caret or the mouse pointer.
    void setWindowPosision();
    // Lays the candidate window out for the current list's display size.
    void setWindowSize();

    // Parses a list's cancel-key line (up to ten comma-separated items) into
    // its ten cancel-key slots.
    void separateString(int16_t listIndex, const std::u16string& line);
    const std::u16string& cancelKey(int list, int slot) const {
        return cancelKeys_[static_cast<size_t>(slot * kListCount + list)];
    }

    int16_t currentList() const { return currentList_; }
    const WordListClass& currentWords() const { return lists_.words(currentList_); }
    int16_t openWord() const { return openWord_; }
    const std::u16string& typedText() const { return typedText_; }
    const std::u16string& shownText() const { return shownText_; }
    const std::u16string& pendingKey() const { return pendingKey_; }
    // The list closes as by Esc and a second Esc: nothing typed or opened is
    // kept.
    void closeList();
    // Screen readers hear the selected entry and its description whenever
    // the selection of the shown list changed since they last heard it.
    void announceSelection();
    bool forcedList() const { return forcedList_; }
    bool listShown() const { return form1_.visible(); }
    // The application window the list was last shown over.
    WindowHandle servedWindow() const { return servedWindow_; }
    bool reshowListPending() const { return reshowListPending_; }
    // Nothing for a tick to do without a key: no list or filter box shown,
    // nothing queued for the next tick.
    bool atRest() const;
    int16_t displaySize() const { return displaySize_; }

  private:
    // select_word.cpp
    void decide();
    void whileShown(const std::u16string& spelling);
    void whileHidden(const std::u16string& spelling);
    void hideEverything();
    bool isCancelKey(const std::u16string& spelling) const;
    // candidate_list.cpp
    void openWordAt(int16_t word);
    void takeElement();
    int16_t fillMatches(const std::u16string& typed, const std::vector<bool>* found = nullptr);
    std::optional<int16_t> entryOfLine(int16_t level, int line) const;
    bool filterByAbbreviation();
    bool fillWholeLevel();
    // search_box.cpp
    void fillSearchResults();
    void placeSearchBox();
    void showBoxWithKeyboard(const std::u16string& caption);
    // The search ends; its box closes and gives the keyboard back unless
    // `closeBox` is false (the launcher's filter box stays).
    void endSearch(bool closeBox = true);
    bool completionOff() const;
    // A word was opened on a list whose elements come without a key.
    bool elementsToListWithoutKey() const;

    Platform& platform_;
    ui::Form1& form1_;
    ui::Window& balloon_;
    ui::Form8& launcherBox_;
    const Lists& lists_;
    HotKeys& hotkeys_;
    Insertion& insertion_;

    int16_t currentList_ = 0;
    std::u16string typedText_;
    int16_t openWord_ = -1;
    // A key spelling queued for the next tick.
    std::u16string pendingKey_;
    // An exact match left on screen for confirmation.
    std::u16string shownText_;
    // The line to select when the list is refilled.
    int16_t lastListIndex_ = 0;
    bool skipNextKey_ = false;
    bool reshowListPending_ = false;
    bool forcedList_ = false;
    // A decide just happened: the next "return" is ignored.
    bool afterDecide_ = false;
    int16_t displaySize_ = 0;
    // The foreground seen by the last tick and whether it runs elevated; the
    // window the shown list serves and the control that had its keyboard.
    WindowHandle lastForeground_ = 0;
    bool foregroundElevated_ = false;
    WindowHandle servedWindow_ = 0;
    WindowHandle servedControl_ = 0;
    // The word (or element of word `linesLevel_`) that each line of List1 shows.
    std::vector<int16_t> lineEntries_;
    int16_t linesLevel_ = -1;
    // Width and height in pixels of the small, middle and large list window.
    std::array<std::array<int32_t, 2>, 3> windowSizePx_{};
    // Cancel key k (0..9) of list i at index k * 7 + i.
    std::array<std::u16string, 10 * kListCount> cancelKeys_;
    // What screen readers last heard of the shown list: -1 when it was hidden.
    int announcedLine_ = -1;
    std::u16string announced_;
    // The search: on while its box is open, with the folded query.
    ListSearch search_;
    bool searching_ = false;
    std::u16string searchQuery_;
};

}  // namespace wordvane
