#include "editing/list_navigation.h"

#include <algorithm>

#include "platform/foreground_keeper.h"

namespace wordvane {

namespace {

constexpr int kPage = 15;

}  // namespace

ListNavigation::ListNavigation(Platform& platform, ui::Form1& form1, const Completion& completion)
    : platform_(platform), form1_(form1), completion_(completion) {}

// Selects line `index` and shows the account of its entry in Text1.
void ListNavigation::selectLine(int index) {
    form1_.List1.setListIndex(static_cast<int16_t>(index));
    const WordListClass& words = completion_.currentWords();
    const int16_t openWord = completion_.openWord();
    if (openWord == -1) {
        form1_.Text1.setText(words.getString(completion_.getCorrespondIndex(-1), 0, 1));
    } else {
        form1_.Text1.setText(
            words.getString(openWord, completion_.getCorrespondIndex(openWord), 1));
    }
}

// Every move gives the keyboard back to the user's application: the list
// never keeps the focus, page moves included.
template <typename NewIndex>
void ListNavigation::move(NewIndex newIndex) {
    if (!form1_.visible() || form1_.List1.listCount() == 0) {
        return;
    }
    ForegroundKeeper foreground(platform_);
    selectLine(newIndex(form1_.List1.listIndex(), form1_.List1.listCount()));
}

void ListNavigation::listMoveUp() {
    move([](int index, int count) { return index <= 0 ? count - 1 : index - 1; });
}

void ListNavigation::listMoveDown() {
    move([](int index, int count) { return index >= count - 1 ? 0 : index + 1; });
}

void ListNavigation::listMoveRollup() {
    move([](int index, int) { return std::max(index - kPage, 0); });
}

void ListNavigation::listMoveRollDown() {
    move([](int index, int count) { return std::min(index + kPage, count - 1); });
}

}  // namespace wordvane
