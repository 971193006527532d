#include "completion/select_word.h"

#include <array>

#include "app/app.h"
#include "completion/candidate_list.h"
#include "completion/insertion.h"
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

// Esc and the cancel keys end the cycle.
void hideEverything(App& app) {
    app.completion.forcedList = false;
    form_visible(app, false);
    app.forms.form7.setVisible(false);
    if (app.lists.currentList == kLauncherList) {
        app.forms.form8.setVisible(false);
    }
}

bool isCancelKey(App& app, const std::u16string& spelling) {
    for (size_t k = 0; k < 10; ++k) {
        if (app.completion.cancelKeys[k * 7 + static_cast<size_t>(app.lists.currentList)] ==
            spelling) {
            return true;
        }
    }
    return false;
}

// The last `count` characters of `text`; nothing for a count below 1.
std::u16string lastCharacters(const std::u16string& text, size_t typed) {
    return typed >= text.size() ? std::u16string() : text.substr(typed);
}

void decide(App& app) {
    CompletionState& c = app.completion;
    ListState& lists = app.lists;
    ui::Form1& form1 = app.forms.form1;
    const int current = lists.currentList;
    const WordListClass& words = app.lists.currentWords();

    c.afterDecide = true;
    if (current == kLauncherList) {
        app.forms.form8.setVisible(false);
    }
    const std::u16string selected = form1.List1.text();
    if (!c.shownText.empty() && c.shownText == selected) {
        // Confirms an exact match that was left on screen: opens it.
        form_visible(app, false);
        c.typedText.clear();
        c.shownText.clear();
        if (c.openWord == -1) {
            c.openWord = getCorrespondIndex(app, -1);
            checkElement(app, c.openWord);
        } else if (lists.cancelKeyLine(current) == kNoCancelKeys) {
            c.openWord = -1;
        }
        return;
    }
    c.lastListIndex = form1.List1.listIndex();
    form_visible(app, false);
    if (c.openWord == -1 && !lists.insertAtWordLevel[static_cast<size_t>(current)]) {
        // Without "t" a decided word is opened, not inserted.
        setBackSpace(app, static_cast<int16_t>(c.typedText.size()));
        c.typedText = selected;
        showList(app);
        return;
    }
    std::u16string text;
    if (!lists.replaceAbbrev[static_cast<size_t>(current)]) {
        // The typed prefix stays in the document; only the rest is added.
        if (current == kClipboardList) {
            const std::u16string stored = words.getString(getCorrespondIndex(app, -1), 0, 1);
            text = lastCharacters(stored, c.typedText.size());
            c.typedText = stored;
        } else {
            text = getChangedLine(lastCharacters(selected, c.typedText.size()));
            c.typedText = selected;
        }
    } else {
        // The abbreviation is replaced by the entry's account.
        if (current != kLauncherList) {
            setBackSpace(app, static_cast<int16_t>(c.typedText.size()));
        }
        text = c.openWord == -1
                   ? words.getString(getCorrespondIndex(app, -1), 0, 1)
                   : words.getString(c.openWord, getCorrespondIndex(app, c.openWord), 1);
        c.typedText = selected;
    }
    c.skipNextKey = true;
    clipInsert(app, text);
    showList(app);
}

void whileShown(App& app, const std::u16string& spelling) {
    CompletionState& c = app.completion;
    if (isOneOf(spelling, std::array{u"↑", u"↓", u"pageup", u"pagedown"})) {
        return;  // the navigation hotkeys move the selection
    }
    if (spelling == u"decide") {
        decide(app);
        return;
    }
    c.shownText.clear();
    if (spelling == u"backspace") {
        if (c.typedText.empty()) {
            form_visible(app, false);
            app.forms.form1.List1.clear();
        } else {
            c.typedText.pop_back();
            showList(app);
        }
        return;
    }
    c.typedText += spelling;
    showList(app);
}

void whileHidden(App& app, const std::u16string& spelling) {
    CompletionState& c = app.completion;
    ListState& lists = app.lists;
    const int current = lists.currentList;
    if (isOneOf(spelling, kResetWhileHidden)) {
        c.typedText.clear();
        c.forcedList = false;
        return;
    }
    if (!lists.startChar(current).empty() && spelling == lists.startChar(current)) {
        c.typedText.clear();
        c.openWord = -1;
        showList(app);
        return;
    }
    if (spelling == u"backspace") {
        if (!c.typedText.empty()) {
            c.typedText.pop_back();
            if (c.forcedList) {
                showList(app);
            }
        }
        return;
    }
    if (spelling == lists.elementKey(current)) {
        if (c.openWord != -1 && app.lists.currentWords().getElementLength(c.openWord) >= 1) {
            c.typedText.clear();
            showList(app);
        }
        return;
    }
    if (spelling == u" " || spelling == u"," || spelling == u".") {
        c.typedText.clear();
        return;
    }
    c.typedText += spelling;
}

}  // namespace

void selectWord(App& app, std::u16string& spelling) {
    CompletionState& c = app.completion;
    if (c.afterDecide) {
        if (spelling == u"return") {
            return;
        }
        c.afterDecide = false;
    }
    c.lastListIndex = 0;
    const bool shown = app.forms.form1.visible();
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
        if (c.typedText.empty()) {
            c.openWord = -1;
        } else {
            c.typedText.clear();
        }
        hideEverything(app);
        return;
    }
    if (isCancelKey(app, spelling)) {
        c.typedText.clear();
        c.openWord = -1;
        hideEverything(app);
        return;
    }
    if (shown) {
        whileShown(app, spelling);
    } else {
        whileHidden(app, spelling);
    }
}

void addWord(App& app, int16_t index, const std::u16string& name, const std::u16string& account) {
    const int current = app.lists.currentList;
    WordListClass& words = app.lists.currentWords();
    if (index == -1) {
        words.addNewString(name, account);
        if (current == kClipboardList) {
            ++app.settings.clipHistorySize;
        }
    } else {
        words.addNewWord(index, name, account);
    }
    if (current >= kFirstWordList) {
        app.lists.wordListChanged[static_cast<size_t>(current - kFirstWordList)] = true;
    }
}

}  // namespace wordvane
