#include "editing/list_navigation.h"

#include <algorithm>

#include "app/app.h"
#include "completion/candidate_list.h"
#include "platform/foreground_keeper.h"

namespace wordvane {

namespace {

constexpr int kPage = 15;

// Selects line `index` and shows the account of its entry in Text1.
void selectLine(App& app, int index) {
    ui::Form1& form1 = app.forms.form1;
    form1.List1.setListIndex(static_cast<int16_t>(index));
    const WordListClass& words = app.lists.currentWords();
    const int16_t openWord = app.completion.openWord;
    if (openWord == -1) {
        form1.Text1.setText(words.getString(getCorrespondIndex(app, -1), 0, 1));
    } else {
        form1.Text1.setText(words.getString(openWord, getCorrespondIndex(app, openWord), 1));
    }
}

// Every move gives the keyboard back to the user's application: the list
// never keeps the focus, page moves included.
template <typename NewIndex>
void move(App& app, NewIndex newIndex) {
    ui::Form1& form1 = app.forms.form1;
    if (!form1.visible() || form1.List1.listCount() == 0) {
        return;
    }
    ForegroundKeeper foreground(app.platform);
    selectLine(app, newIndex(form1.List1.listIndex(), form1.List1.listCount()));
}

}  // namespace

void listMoveUp(App& app) {
    move(app, [](int index, int count) { return index <= 0 ? count - 1 : index - 1; });
}

void listMoveDown(App& app) {
    move(app, [](int index, int count) { return index >= count - 1 ? 0 : index + 1; });
}

void listMoveRollup(App& app) {
    move(app, [](int index, int) { return std::max(index - kPage, 0); });
}

void listMoveRollDown(App& app) {
    move(app, [](int index, int count) { return std::min(index + kPage, count - 1); });
}

}  // namespace wordvane
