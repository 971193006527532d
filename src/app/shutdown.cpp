// Shutdown: on any closing of Form1 the lists and settings are saved and the
// process ends.

#include "app/shell.h"
#include "lists/list_files.h"
#include "lists/program_folder.h"

namespace wordvane {

namespace {

constexpr char16_t kSaveChangesQuestion[] =
    u"変更されているリストがあります。\r\n変更を保存しますか？";
constexpr char16_t kSavingReason[] = u"Wordvane がリストを保存しています";
constexpr char16_t kNotLoadedCopyMessage[] =
    u"は起動時に読み込みに失敗したため、上書きしませんでした。\r\n変更は";

}  // namespace

void Shell::endProcess() {
    processEnded_ = true;
    if (sessionEnding_) {
        platform_.allowSessionEnd();
    }
    platform_.exitProcess();
}

// Tells the user how a save went, when there is something to tell; at the
// session's end there is no one to tell.
void Shell::tellSave(const std::u16string& fileName, TextSave save) {
    const std::u16string text = textSaveMessage(fileName, save);
    const bool failed = save == TextSave::Failed || save == TextSave::LeftAside;
    if (!text.empty() && !sessionEnding_ && !(failed && savingInBackground_)) {
        message(text, kMbIconExclamation);
    }
}

// Saves one list to its file, as it was read.
void Shell::saveListOrTell(int list) {
    if (unwritable_.contains(listFileName(list))) {
        return;
    }
    const TextSave save =
        writeListFile(platform_, lists_, list, programFolder(platform_) + listFileName(list),
                      lists_.fileForms[static_cast<size_t>(list)]);
    if (save == TextSave::Written || save == TextSave::WrittenOverInexact) {
        lists_.markSaved(list);
    }
    tellSave(listFileName(list), save);
}

// Only a list that start-up read completely is written back: the file of a
// list that failed or was never read stays as it is.
void Shell::saveSpecialLists() {
    for (int list : {kLauncherList, kClipboardList}) {
        if (lists_.loaded(list)) {
            saveListOrTell(list);
        }
    }
    if (unwritable_.contains(kSettingsFileName)) {
        return;
    }
    tellSave(kSettingsFileName,
             writeSettingsFile(platform_, programFolder(platform_) + kSettingsFileName,
                               settingsFileContent(), settingsForm_));
}

// A list whose file start-up could not read whole is never written over
// that file: its changes go to a copy beside it, and the user is told where.
void Shell::saveCopyAndTell(int list) {
    const std::u16string copyName = unsavedCopyName(list);
    TextFileForm form = lists_.fileForms[static_cast<size_t>(list)].forAnotherFile();
    const TextSave save =
        writeListFile(platform_, lists_, list, programFolder(platform_) + copyName, form);
    if (save != TextSave::Written) {
        tellSave(copyName, save);
        return;
    }
    lists_.markSaved(list);
    tellCopyWritten(list, copyName);
}

void Shell::tellCopyWritten(int list, const std::u16string& copyName) {
    if (!sessionEnding_) {
        message(listFileName(list) + kNotLoadedCopyMessage + copyName + u"に書き出しました。",
                kMbIconExclamation);
    }
}

void Shell::saveChangedWordLists() {
    int answer = kIdNo;
    for (int list = kFirstWordList; list < kListCount; ++list) {
        if (lists_.changedAndLoaded(list) || lists_.changedButNotLoaded(list)) {
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
        } else if (lists_.changedButNotLoaded(list)) {
            saveCopyAndTell(list);
        }
    }
}

// What the files saved after a change would hold now, as one number. A
// list is formatted again only when it has changed since the last look.
size_t Shell::fingerprintOfSavedFiles() {
    const std::hash<std::u16string> hashOf;
    size_t fingerprint = hashOf(joinLines(settingsFileLines(settingsFileContent())));
    for (int list : {kLauncherList, kClipboardList}) {
        auto& [revision, hash] = listLooks_[static_cast<size_t>(list)];
        const WordListClass& words = lists_.words(list);
        if (lists_.loaded(list) && (hash == 0 || revision != words.revision())) {
            revision = words.revision();
            hash = hashOf(formatListText(lists_.header(list), words));
        }
        fingerprint = fingerprint * 31 + hash;
    }
    for (bool changed : lists_.wordListChanged) {
        fingerprint = fingerprint * 31 + (changed ? 1 : 0);
    }
    return fingerprint;
}

// Looked at every five seconds; a change is saved once it has held still
// for one look, so that a burst of copies is one save. Never while the list
// is shown or an insertion is under way (`saveWaits`), and never while the
// last one is still being written.
void Shell::saveSoonAfterChanges() {
    constexpr uint64_t kLookMs = 5000;
    const uint64_t now = platform_.milliseconds();
    if (processEnded_ || abortingLoad_ || now < nextSaveLook_ || backgroundSave_ ||
        (saveWaits && saveWaits())) {
        return;
    }
    nextSaveLook_ = now + kLookMs;
    const size_t fingerprint = fingerprintOfSavedFiles();
    const bool settled = fingerprint == seenFingerprint_;
    seenFingerprint_ = fingerprint;
    if (fingerprint == savedFingerprint_ || !settled) {
        return;
    }
    saveInBackground(fingerprint);
}

// The files are made here and written on another thread, so that a file a
// sync client or a virus scanner holds never holds the keyboard: the
// hotkeys and the key reading go on. What was written is marked saved when
// the writes are done, a word list only if it has not changed meanwhile.
void Shell::saveInBackground(size_t fingerprint) {
    std::vector<BackgroundSave> saves;
    std::vector<FileToWrite> files;
    const auto add = [&](const std::u16string& fileName, int list, TextFileForm* form,
                         std::optional<std::string> bytes) {
        if (bytes) {
            saves.push_back(
                {fileName, list, form, list == kNoList ? 0 : lists_.words(list).revision()});
            files.push_back({programFolder(platform_) + fileName, std::move(*bytes)});
        }
    };
    for (int list : {kLauncherList, kClipboardList}) {
        TextFileForm& form = lists_.fileForms[static_cast<size_t>(list)];
        if (lists_.loaded(list) && !unwritable_.contains(listFileName(list))) {
            add(listFileName(list), list, &form, listFileSaveBytes(lists_, list, form));
        }
    }
    if (!unwritable_.contains(kSettingsFileName)) {
        add(kSettingsFileName, kNoList, &settingsForm_,
            textSaveBytes(joinLines(settingsFileLines(settingsFileContent())), settingsForm_));
    }
    for (int list = kFirstWordList; list < kListCount && !lists_.settings.confirmSaveOnExit;
         ++list) {
        TextFileForm& form = lists_.fileForms[static_cast<size_t>(list)];
        if (lists_.changedAndLoaded(list) && !unwritable_.contains(listFileName(list))) {
            add(listFileName(list), list, &form, listFileSaveBytes(lists_, list, form));
        } else if (lists_.changedButNotLoaded(list)) {
            TextFileForm copy = form.forAnotherFile();
            add(unsavedCopyName(list), list, nullptr, listFileSaveBytes(lists_, list, copy));
        }
    }
    backgroundSave_ = true;
    platform_.writeFilesInBackground(std::move(files),
                                     [this, saves, fingerprint](std::vector<FileWrite> outcomes) {
                                         backgroundSaved(saves, outcomes, fingerprint);
                                     });
}

void Shell::backgroundSaved(const std::vector<BackgroundSave>& saves,
                            const std::vector<FileWrite>& outcomes, size_t fingerprint) {
    backgroundSave_ = false;
    const bool unchanged = fingerprintOfSavedFiles() == fingerprint;
    savingInBackground_ = true;
    for (size_t i = 0; i < saves.size() && i < outcomes.size(); ++i) {
        const BackgroundSave& save = saves[i];
        TextFileForm copyForm;
        const TextSave result = savedAs(outcomes[i], save.form ? *save.form : copyForm);
        const bool written = result == TextSave::Written || result == TextSave::WrittenOverInexact;
        if (written && save.list >= kFirstWordList &&
            lists_.words(save.list).revision() == save.revision) {
            lists_.markSaved(save.list);
        }
        if (written && save.form == nullptr) {
            tellCopyWritten(save.list, save.fileName);
        } else {
            tellSave(save.fileName, result);
        }
    }
    savingInBackground_ = false;
    // A change made while the files were written is saved at a later look.
    savedFingerprint_ = unchanged ? fingerprintOfSavedFiles() : fingerprint;
    seenFingerprint_ = savedFingerprint_;
}

bool Shell::nothingToSave() {
    return processEnded_ || abortingLoad_ ||
           (!backgroundSave_ && seenFingerprint_ == savedFingerprint_ &&
            fingerprintOfSavedFiles() == savedFingerprint_);
}

void Shell::queryEndSession() {
    platform_.blockSessionEnd(kSavingReason);
}

// Everything is saved first, while the shell and the windows are still
// there; the tray icon and the windows go afterwards.
void Shell::endSession() {
    platform_.blockSessionEnd(kSavingReason);
    quitWithoutQuestions();
}

// Nobody is there to answer (the session ends, an installer runs with /S):
// every list is saved without the question.
void Shell::quitWithoutQuestions() {
    sessionEnding_ = true;
    if (beforeQuit) {
        beforeQuit();
    }
    platform_.finishBackgroundWrites();
    if (!abortingLoad_) {
        saveSpecialLists();
    }
    saveChangedWordLists();
    Form_QueryUnload();
}

void Shell::mnuExit_Click() {
    if (beforeQuit) {
        beforeQuit();
    }
    platform_.finishBackgroundWrites();
    platform_.removeTrayIcon();
    Form_QueryUnload();
}

void Shell::Form_QueryUnload() {
    completion_.form_visible(false);
    hotkeys_.deleteShowHotKey();
    hotkeys_.unhookWindow();
    // At the session's end all was saved already, before anything went.
    if (!abortingLoad_ && !sessionEnding_) {
        saveSpecialLists();
    }
    platform_.removeTrayIcon();
    for (int number = 2; number <= 9; ++number) {
        forms_.byNumber(number).setVisible(false);
        forms_.byNumber(number).setLoaded(false);
    }
    hotkeys_.deletePopupHotKey();
    if (!sessionEnding_) {
        saveChangedWordLists();
    }
    endProcess();
}

}  // namespace wordvane
