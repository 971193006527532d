#include "completion/candidate_list.h"

#include <algorithm>

#include "app/app.h"
#include "completion/select_word.h"
#include "hotkeys/navigation_hotkeys.h"
#include "platform/foreground_keeper.h"

namespace wordvane {

namespace {

bool beginsWith(const std::u16string& name, const std::u16string& prefix) {
    return name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0;
}

// The exact match of a unique or "r" list opens the word; its candidates
// follow on the next ticks.
void openWordAt(App& app, int16_t word) {
    CompletionState& c = app.completion;
    c.openWord = word;
    c.pendingKey = c.typedText.substr(c.typedText.size() - 1);
    c.typedText.clear();
    checkElement(app, word);
    if (app.lists.currentList == kLauncherList) {
        app.forms.form8.setVisible(false);
    }
}

// An exact element match ends the cycle, or stays on the word for the next
// candidate when the list has cancel keys.
void takeElement(App& app) {
    CompletionState& c = app.completion;
    if (app.lists.cancelKeyLine(app.lists.currentList) == kNoCancelKeys) {
        c.openWord = -1;
    } else {
        c.pendingKey = c.typedText.substr(c.typedText.size() - 1);
    }
    c.typedText.clear();
}

// Fills List1 with the names that begin with `typed`; returns how many.
int16_t fillMatches(App& app, const std::u16string& typed) {
    const WordListClass& words = app.lists.currentWords();
    const int16_t openWord = app.completion.openWord;
    std::vector<std::u16string> matches;
    if (openWord == -1) {
        matches.reserve(static_cast<size_t>(words.getWordLength() + 1));
        for (int w = 0; w <= words.getWordLength(); ++w) {
            const std::u16string& name = words.peekString(static_cast<int16_t>(w), 0, 0);
            if (beginsWith(name, typed)) {
                matches.push_back(name);
            }
        }
    } else {
        for (int e = 1; e <= words.getElementLength(openWord); ++e) {
            const std::u16string& name = words.peekString(openWord, static_cast<int16_t>(e), 0);
            if (beginsWith(name, typed)) {
                matches.push_back(name);
            }
        }
    }
    const auto count = static_cast<int16_t>(matches.size());
    app.forms.form1.List1.setItems(std::move(matches));
    return count;
}

// Returns false when the list is to stay hidden.
bool filterByAbbreviation(App& app) {
    CompletionState& c = app.completion;
    ui::Form1& form1 = app.forms.form1;
    const WordListClass& words = app.lists.currentWords();
    const int16_t matches = fillMatches(app, c.typedText);
    if (form1.List1.listCount() < c.lastListIndex + 1) {
        c.lastListIndex = 0;
    }
    if (matches == 0) {
        return false;
    }
    form1.List1.setListIndex(c.lastListIndex);
    c.lastListIndex = 0;
    const bool replaces = app.lists.replaceAbbrev[static_cast<size_t>(app.lists.currentList)];
    if (c.openWord == -1) {
        const int16_t w = getCorrespondIndex(app, -1);
        if (words.getString(w, 0, 0) == c.typedText) {
            if (matches == 1 || replaces) {
                openWordAt(app, w);
                return false;
            }
            c.shownText = c.typedText;
        }
        form1.Text1.setText(words.getString(w, 0, 1));
    } else {
        const int16_t e = getCorrespondIndex(app, c.openWord);
        if (words.getString(c.openWord, e, 0) == c.typedText) {
            if (matches == 1 || replaces) {
                takeElement(app);
                return false;
            }
            c.shownText = c.typedText;
        }
        form1.Text1.setText(words.getString(c.openWord, e, 1));
    }
    return true;
}

// The whole level, without an abbreviation. False when it has nothing to show.
bool fillWholeLevel(App& app) {
    CompletionState& c = app.completion;
    ui::Form1& form1 = app.forms.form1;
    const WordListClass& words = app.lists.currentWords();
    fillMatches(app, u"");
    if (form1.List1.listCount() == 0) {
        return false;
    }
    if (c.openWord == -1) {
        // Words 0 and 1 of the clipboard list are the storage and the fixed
        // word: the newest capture is word 2.
        const int16_t first =
            app.lists.currentList == kClipboardList && words.getWordLength() >= 2 ? 2 : 0;
        form1.List1.setListIndex(first);
        form1.Text1.setText(words.getString(first, 0, 1));
    } else {
        form1.List1.setListIndex(0);
        form1.Text1.setText(words.getString(c.openWord, 1, 1));
    }
    return true;
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

void showList(App& app) {
    form_visible(app, false);
    app.forms.form1.List1.clear();
    ForegroundKeeper foreground(app.platform);
    const bool show =
        app.completion.typedText.empty() ? fillWholeLevel(app) : filterByAbbreviation(app);
    if (show) {
        form_visible(app, true);
    }
}

int16_t getCorrespondIndex(App& app, int16_t wordIndex) {
    const WordListClass& words = app.lists.currentWords();
    const std::u16string selected = app.forms.form1.List1.text();
    if (wordIndex == -1) {
        for (int w = 0; w <= words.getWordLength(); ++w) {
            if (words.peekString(static_cast<int16_t>(w), 0, 0) == selected) {
                return static_cast<int16_t>(w);
            }
        }
    } else {
        for (int e = 0; e <= words.getElementLength(wordIndex); ++e) {
            if (words.peekString(wordIndex, static_cast<int16_t>(e), 0) == selected) {
                return static_cast<int16_t>(e);
            }
        }
    }
    return 0;
}

void checkElement(App& app, int16_t index) {
    if (app.lists.currentWords().getElementLength(index) <= 0) {
        app.completion.typedText.clear();
        app.completion.openWord = -1;
        app.completion.pendingKey.clear();
    }
}

void form_visible(App& app, bool visible) {
    ForegroundKeeper foreground(app.platform);
    ui::Form1& form1 = app.forms.form1;
    if (visible && !form1.visible()) {
        setNavigationHotKey(app);
        form1.setVisible(true);
    } else if (!visible && form1.visible()) {
        form1.setVisible(false);
        deleteNavigationHotKey(app);
    }
}

void forcedShowList(App& app) {
    ui::ModeMenu& menu = app.forms.form1.mnuModeMenu;
    CompletionState& c = app.completion;
    if (menu.mnuOff.checked()) {
        return;
    }
    ForegroundKeeper foreground(app.platform);
    if (app.lists.currentList == kLauncherList) {
        // The launcher list is filtered in its own text box.
        app.forms.form8.Text1.setText(u"");
        app.forms.form8.setVisible(true);
        app.platform.setActiveWindow(app.forms.form1.handle());
        app.callNotYetBuilt(u"launcher filter box focus");
    }
    c.forcedList = true;
    if (c.openWord == -1) {
        c.reshowListPending = true;
        return;
    }
    if (app.forms.form1.visible()) {
        return;
    }
    c.skipNextKey = true;
    std::u16string elementKey = app.lists.elementKey(app.lists.currentList);
    if (elementKey != kNeverElementKey) {
        c.typedText.clear();
        selectWord(app, elementKey);
    } else {
        showList(app);
    }
}

void setWindowPosision(App& app) {
    ForegroundKeeper foreground(app.platform);
    Platform& platform = app.platform;
    ui::Form1& form1 = app.forms.form1;
    const int32_t tppX = platform.twipsPerPixelX();
    const int32_t tppY = platform.twipsPerPixelY();
    const int32_t screenWidth = app.completion.screenWidthPx;
    const int32_t screenHeight = app.completion.screenHeightPx;
    if (form1.mnuModeMenu.mnuCaretPos.checked()) {
        const auto caret = platform.caret();
        if (caret) {
            std::u16string windowClass = caret->windowClass;
            std::erase(windowClass, u' ');
            const int32_t y = caret->position.y + (windowClass == u"TextEditorWindow" ? 85 : 0);
            int32_t left = caret->position.x * tppX;
            int32_t top = (y + 20) * tppY;
            if (left + form1.width() > screenWidth * tppX) {
                left = screenWidth * tppX - form1.width();
            }
            if (top + form1.height() > screenHeight * tppY) {
                top = top - 300 - form1.height();
            }
            form1.setLeft(left);
            form1.setTop(top);
        }
    } else {
        const Point cursor = platform.cursorPosition();
        const auto& size = app.completion.windowSizePx[static_cast<size_t>(std::clamp<int16_t>(
            app.lists.listDisplaySize[static_cast<size_t>(app.lists.currentList)], 0, 2))];
        form1.setLeft((cursor.x - 50) * tppX);
        form1.setTop((cursor.y - 20) * tppY);
        form1.setWidth(size[0] * tppX);
        form1.setHeight(size[1] * tppY);
        if ((form1.left() + form1.width()) / tppX > screenWidth) {
            const int32_t left = screenWidth * tppX - form1.width() - 200;
            form1.setLeft(left < 0 ? 200 : left);
        }
        if ((form1.top() + form1.height()) / tppY > screenHeight) {
            const int32_t top = screenHeight * tppY - form1.height() - 200;
            form1.setTop(top < 0 ? 200 : top);
        }
    }
    app.forms.form8.setTop(form1.top() - 320);
    app.forms.form8.setLeft(form1.left());
}

void setWindowSize(App& app) {
    const int16_t size = app.lists.listDisplaySize[static_cast<size_t>(app.lists.currentList)];
    if (size < 0 || size > 2) {
        return;
    }
    const Layout& layout = kLayouts[size];
    ui::Form1& form1 = app.forms.form1;
    form1.setWidth(layout.formWidth);
    form1.setHeight(layout.formHeight);
    form1.Text1.place(layout.textLeft, layout.textTop, layout.textWidth, layout.textHeight);
    form1.Command1.setLeft(layout.command1Left);
    form1.Command1.setTop(layout.command1Top);
    form1.Command2.setLeft(layout.command2Left);
    form1.Command2.setTop(layout.command2Top);
}

}  // namespace wordvane
