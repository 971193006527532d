#include "app/shutdown.h"

#include "app/app.h"
#include "app/tray_icon.h"
#include "completion/candidate_list.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/list_files.h"
#include "lists/settings_file.h"
#include "lists/text_file.h"

namespace wordvane {

namespace {

constexpr char16_t kSaveChangesQuestion[] =
    u"変更されているリストがあります。\r\n変更を保存しますか？";

// Saves one list; tells the user when its file could not be written (the
// old file is then still in place).
void saveListOrTell(App& app, std::u16string path) {
    if (!saveFile(app, path)) {
        app.message(saveFailedMessage(fileNameOf(path)), kMbIconExclamation);
    }
}

// Only a list that start-up read completely is written back: the file of a
// list that failed or was never read stays as it is.
void saveSpecialLists(App& app) {
    if (app.lists.loaded(kLauncherList)) {
        saveListOrTell(app, kSaveLauncherMarker);
    }
    if (app.lists.loaded(kClipboardList)) {
        saveListOrTell(app, kSaveClipboardMarker);
    }
    if (!saveIniFile(app)) {
        app.message(saveFailedMessage(kSettingsFileName), kMbIconExclamation);
    }
}

bool wordListToSave(App& app, size_t i) {
    return app.lists.wordListChanged[i] && app.lists.loaded(static_cast<int>(i) + kFirstWordList);
}

void saveChangedWordLists(App& app) {
    int answer = kIdNo;
    for (size_t i = 0; i < app.lists.wordListChanged.size(); ++i) {
        if (wordListToSave(app, i)) {
            answer = app.settings.confirmSaveOnExit ? app.message(kSaveChangesQuestion, kMbYesNo)
                                                    : kIdYes;
            break;
        }
    }
    if (answer != kIdYes) {
        return;
    }
    for (size_t i = 0; i < app.lists.wordListChanged.size(); ++i) {
        if (wordListToSave(app, i)) {
            const int list = static_cast<int>(i) + kFirstWordList;
            app.lists.currentList = static_cast<int16_t>(list);
            saveListOrTell(app, app.programFolder() + listFileName(list));
        }
    }
}

}  // namespace

void mnuExit_Click(App& app) {
    removeTrayIcon(app);
    Form_QueryUnload(app);
}

void Form_QueryUnload(App& app) {
    ui::Forms& forms = app.forms;
    form_visible(app, false);
    deleteShowHotKey(app);
    unhookWindow(app, forms.form1.handle());
    if (!app.abortingLoad) {
        saveSpecialLists(app);
    }
    removeTrayIcon(app);
    for (int number = 2; number <= 9; ++number) {
        forms.byNumber(number).setVisible(false);
        forms.byNumber(number).setLoaded(false);
    }
    deletePopupHotKey(app);
    saveChangedWordLists(app);
    app.endProcess();
}

}  // namespace wordvane
