// The search over the shown list: the filter box in front with the
// keyboard, the list narrowed to the entries that contain the query.

#include "completion/completion.h"
#include "platform/foreground_keeper.h"
#include "ui/placement.h"

namespace wordvane {

void Completion::openSearchBox() {
    if (!form1_.visible()) {
        return;
    }
    // What was typed into the application stays there; the search starts
    // from the whole level.
    typedText_.clear();
    shownText_.clear();
    searchQuery_.clear();
    searching_ = true;
    search_.prepare(currentWords(), currentList_, openWord_);
    placeSearchBox();
    showBoxWithKeyboard(u"検索");
    showList();
}

// Just above the list, or just below it where the screen has no room above:
// never over the lines it narrows.
void Completion::placeSearchBox() {
    const Rect area = ui::workAreaOf(form1_, platform_);
    launcherBox_.setDpi(form1_.dpi());
    launcherBox_.setLeft(form1_.left());
    int32_t top = form1_.top() - launcherBox_.height();
    if (top < area.top) {
        top = form1_.top() + form1_.height();
    }
    launcherBox_.setTop(top);
    ui::keepInside(launcherBox_, area);
}

void Completion::setSearchText(const std::u16string& text) {
    if (!searching_) {
        return;
    }
    searchQuery_ = search_.fold(text);
    showList();
}

// The box closes and the keyboard goes back to the application; the list
// stays, whole again.
void Completion::closeSearch() {
    if (!searching_) {
        return;
    }
    // The launcher list keeps its box, with the keyboard: its filter again.
    const bool launcher = currentList_ == kLauncherList && form1_.visible();
    endSearch(!launcher);
    if (launcher) {
        launcherBox_.setCaption(u"");
        launcherBox_.Text1.setText(u"");
    }
    if (form1_.visible()) {
        ForegroundKeeper foreground(platform_);
        fillWholeLevel();
        if (onListChanged) {
            onListChanged();
        }
    }
}

void Completion::endSearch(bool closeBox) {
    if (!searching_) {
        return;
    }
    searching_ = false;
    searchQuery_.clear();
    if (closeBox) {
        closeLauncherBox();
    }
}

// The list keeps its order and stays up while nothing matches, so that the
// user can type on; the first line found is selected.
void Completion::fillSearchResults() {
    if (searchQuery_.empty()) {
        fillWholeLevel();  // the level as it opens, its usual line selected
        return;
    }
    const WordListClass& words = currentWords();
    search_.prepare(words, currentList_, openWord_);
    if (fillMatches(u"", &search_.find(searchQuery_)) == 0) {
        form1_.Text1.setText(u"");
        return;
    }
    form1_.List1.setListIndex(0);
    const int16_t first = lineEntries_.front();
    form1_.Text1.setText(openWord_ == -1 ? words.getString(first, 0, 1)
                                         : words.getString(openWord_, first, 1));
}

}  // namespace wordvane
