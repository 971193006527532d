// Shutdown: on any closing of Form1 the lists and settings are saved and the
// process ends.

#include "app/shell.h"
#include "lists/list_files.h"
#include "lists/program_folder.h"

namespace wordvane {

namespace {

constexpr char16_t kSaveChangesQuestion[] =
    u"変更されているリストがあります。\r\n変更を保存しますか？";

}  // namespace

void Shell::endProcess() {
    processEnded_ = true;
    if (sessionEnding_) {
        platform_.allowSessionEnd();
    }
    platform_.exitProcess();
}

// Saves one list to its file; tells the user when it could not be written
// (the old file is then still in place).
void Shell::saveListOrTell(int list) {
    if (writeListFile(platform_, lists_, list, programFolder(platform_) + listFileName(list))) {
        lists_.markSaved(list);
    } else if (!sessionEnding_) {
        message(saveFailedMessage(listFileName(list)), kMbIconExclamation);
    }
}

// Only a list that start-up read completely is written back: the file of a
// list that failed or was never read stays as it is.
void Shell::saveSpecialLists() {
    for (int list : {kLauncherList, kClipboardList}) {
        if (lists_.loaded(list)) {
            saveListOrTell(list);
        }
    }
    if (!writeSettingsFile(platform_, programFolder(platform_) + kSettingsFileName,
                           settingsFileContent()) &&
        !sessionEnding_) {
        message(saveFailedMessage(kSettingsFileName), kMbIconExclamation);
    }
}

void Shell::saveChangedWordLists() {
    int answer = kIdNo;
    for (int list = kFirstWordList; list < kListCount; ++list) {
        if (lists_.changedAndLoaded(list)) {
            answer = lists_.settings.confirmSaveOnExit && !sessionEnding_
                         ? message(kSaveChangesQuestion, kMbYesNo)
                         : kIdYes;
            break;
        }
    }
    if (answer != kIdYes) {
        return;
    }
    for (int list = kFirstWordList; list < kListCount; ++list) {
        if (lists_.changedAndLoaded(list)) {
            saveListOrTell(list);
        }
    }
}

void Shell::endSession() {
    sessionEnding_ = true;
    platform_.blockSessionEnd(u"Wordvane がリストを保存しています");
    Form_QueryUnload();
}

void Shell::mnuExit_Click() {
    platform_.removeTrayIcon();
    Form_QueryUnload();
}

void Shell::Form_QueryUnload() {
    completion_.form_visible(false);
    hotkeys_.deleteShowHotKey();
    hotkeys_.unhookWindow();
    if (!abortingLoad_) {
        saveSpecialLists();
    }
    platform_.removeTrayIcon();
    for (int number = 2; number <= 9; ++number) {
        forms_.byNumber(number).setVisible(false);
        forms_.byNumber(number).setLoaded(false);
    }
    hotkeys_.deletePopupHotKey();
    saveChangedWordLists();
    endProcess();
}

}  // namespace wordvane
