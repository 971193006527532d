#include "lists/list_files.h"

#include "app/app.h"
#include "app/shutdown.h"
#include "lists/decimal_text.h"
#include "lists/text_file.h"

namespace wordvane {

namespace {

constexpr char16_t kProgramEnds[] = u"\r\nプログラムを終了します。";

bool isSpecial(int list) {
    return list == kLauncherList || list == kClipboardList;
}

std::u16string openFailedMessage(int list) {
    const std::u16string text = u"ファイル" + listFileName(list) + u"が読み取れませんでした。";
    return isSpecial(list) ? text + kProgramEnds : text;
}

std::u16string countFailedMessage(int list) {
    if (isSpecial(list)) {
        return u"ファイル" + listFileName(list) + u"の数字の指定が適切ではありません。" +
               kProgramEnds;
    }
    return u"ファイル" + listFileName(list) + u"の要素数の指定が適切ではありません。";
}

std::u16string causeMessage(int list, ListReadCause cause) {
    if (cause == ListReadCause::TooManyWords) {
        return listFileName(list) +
               u"の読み込みに失敗しました。\r\n単語の数が指定されている数より大きいです。";
    }
    return listFileName(list) + u"で説明の読み取りに失敗しました。";
}

std::u16string tooFewWordsMessage(int list) {
    return listFileName(list) +
           u"の読み込みに失敗しました。\r\n単語の数が指定されている数よりも少ないです。";
}

void storeHeader(App& app, int list, const ListHeader& header) {
    ListState& lists = app.lists;
    const auto i = static_cast<size_t>(list);
    lists.listNames[i] = header.name;
    lists.startChar(list) = header.startChar;
    lists.elementKey(list) = header.elementKey;
    lists.cancelKeyLine(list) = header.cancelKeyLine;
    lists.insertAtWordLevel[i] = header.insertAtWordLevel;
    lists.replaceAbbrev[i] = header.replaceAbbrev;
    lists.listDisplaySize[i] = header.displaySize;
}

void showFatal(App& app, const std::u16string& text) {
    app.message(text, kMbIconExclamation);
    app.abortingLoad = true;
    Form_QueryUnload(app);
}

// Returns false when the failure ended the program.
bool handleReadFailure(App& app, int list, const ListReadOutcome& outcome) {
    if (outcome.cause != ListReadCause::None) {
        app.message(causeMessage(list, outcome.cause), kMbIconExclamation);
    }
    auto& name = app.lists.listNames[static_cast<size_t>(list)];
    switch (outcome.failure) {
        case ListReadFailure::Open:
            if (isSpecial(list)) {
                showFatal(app, openFailedMessage(list));
                return false;
            }
            app.message(openFailedMessage(list), kMbIconExclamation);
            break;
        case ListReadFailure::Count:
            if (isSpecial(list)) {
                showFatal(app, countFailedMessage(list));
                return false;
            }
            app.message(countFailedMessage(list), kMbIconExclamation);
            name.clear();
            break;
        case ListReadFailure::Read:
            if (isSpecial(list)) {
                showFatal(app, openFailedMessage(list));
                return false;
            }
            name.clear();
            break;
        case ListReadFailure::TooFewWords:
            app.message(tooFewWordsMessage(list), kMbIconExclamation);
            break;
        case ListReadFailure::None:
            break;
    }
    return true;
}

void captionModeMenu(App& app, bool hideUnnamed) {
    auto& menu = app.forms.form1.mnuModeMenu;
    for (size_t j = 0; j < kListCount; ++j) {
        const auto& name = app.lists.listNames[j];
        if (!name.empty() || !hideUnnamed) {
            menu.mnuMode[j].setCaption(name);
        } else {
            menu.mnuMode[j].setVisible(false);
        }
    }
}

}  // namespace

std::u16string listFileName(int list) {
    if (list == kLauncherList) {
        return u"Launch.txt";
    }
    if (list == kClipboardList) {
        return u"ClipBoad.txt";
    }
    return u"WordList" + toDecimal(list - 1) + u".txt";
}

ListHeader listHeaderOf(App& app, int list) {
    ListState& lists = app.lists;
    const auto i = static_cast<size_t>(list);
    return ListHeader{lists.listNames[i],        lists.startChar(list),      lists.elementKey(list),
                      lists.cancelKeyLine(list), lists.insertAtWordLevel[i], lists.replaceAbbrev[i],
                      lists.listDisplaySize[i]};
}

std::u16string saveFailedMessage(const std::u16string& fileName) {
    return u"ファイル" + fileName +
           u"を保存できませんでした。\r\n保存先のファイルは変更されていません。";
}

void setWordList(App& app) {
    ListState& lists = app.lists;
    const std::u16string folder = app.programFolder();
    lists.loadedListCount = 0;
    for (int i = 0; i < kListCount; ++i) {
        ListHeader header;
        ListReadOutcome outcome{ListReadFailure::Open, ListReadCause::None};
        if (const auto lines = readTextLines(app.platform, folder + listFileName(i))) {
            outcome = parseListFile(*lines, header, lists.wordLists[static_cast<size_t>(i)]);
            storeHeader(app, i, header);
        }
        if (outcome.failure != ListReadFailure::None) {
            if (handleReadFailure(app, i, outcome)) {
                captionModeMenu(app, true);
            }
            return;
        }
        lists.loadedListCount = static_cast<int16_t>(i + 1);
    }
    captionModeMenu(app, false);
}

bool saveFile(App& app, std::u16string& pathName) {
    ListState& lists = app.lists;
    if (pathName == kSaveLauncherMarker) {
        pathName = app.programFolder() + listFileName(kLauncherList);
        lists.currentList = kLauncherList;
    } else if (pathName == kSaveClipboardMarker) {
        pathName = app.programFolder() + listFileName(kClipboardList);
        lists.currentList = kClipboardList;
    }
    const int list = lists.currentList;
    if (!writeListFile(app, list, pathName)) {
        return false;
    }
    if (list >= kFirstWordList) {
        lists.wordListChanged[static_cast<size_t>(list - kFirstWordList)] = false;
    }
    return true;
}

bool writeListFile(App& app, int list, const std::u16string& path) {
    const auto lines =
        formatListFile(listHeaderOf(app, list), app.lists.wordLists[static_cast<size_t>(list)]);
    return writeTextLines(app.platform, path, lines);
}

void mnuSave_Click(App& app) {
    app.forms.form3.setVisible(false);
    const auto chosen = app.platform.saveFileDialog(u"(*.txt)", 2054);
    if (!chosen || chosen->empty()) {
        return;
    }
    std::u16string path = *chosen;
    const std::u16string tail = path.size() > 4 ? path.substr(path.size() - 4) : path;
    if (tail.find(u'.') == std::u16string::npos) {
        path += u".txt";
    }
    if (!saveFile(app, path)) {
        app.message(saveFailedMessage(fileNameOf(path)), kMbIconExclamation);
    }
}

}  // namespace wordvane
