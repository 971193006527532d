// Start-up: from process start to the moment the program is resident.

#include "app/shell.h"
#include "lists/list_files.h"
#include "lists/program_folder.h"
#include "ui/message_box.h"

namespace wordvane {

namespace {

constexpr char16_t kAlreadyRunningMessage[] = u"既に起動されています。";
constexpr char16_t kCannotWriteMessage[] =
    u"次の場所に書き込めないため、リストと設定の変更は保存されません。\r\n";
constexpr char16_t kCaptionSuffix[] = u" - Wordvane ";

}  // namespace

Shell::Shell(Platform& platform, ui::Forms& forms, Lists& lists, HotKeys& hotkeys,
             Completion& completion, TextWindowSets& replaceSets, ReplaceEditor& replaceEditor)
    : platform_(platform),
      forms_(forms),
      lists_(lists),
      hotkeys_(hotkeys),
      completion_(completion),
      replaceSets_(replaceSets),
      replaceEditor_(replaceEditor) {}

int Shell::message(const std::u16string& text, int style) {
    return showMessage(platform_, text, style);
}

void Shell::show(const Messages& messages) {
    for (const Message& shown : messages) {
        message(shown.text, shown.style);
    }
}

// vane.ini: its corrections are shown as they were made; a file that cannot
// be read ends the program before any list is read.
bool Shell::readSettings() {
    const auto outcome = readSettingsFile(platform_, programFolder(platform_) + kSettingsFileName,
                                          platform_.systemScale());
    show(outcome.messages);
    if (!outcome.content) {
        endProcess();
        return false;
    }
    applySettings(*outcome.content);
    settingsForm_ = outcome.form;
    return true;
}

void Shell::applySettings(const SettingsFileContent& content) {
    lists_.settings = content.settings;
    if (content.opacity) {
        replaceSets_.setTranslucentIndex(*content.opacity);
        replaceSets_.translucent(*content.opacity);
    }
    for (size_t j = 0; j < content.replaceSets.size(); ++j) {
        const auto& [name, before, after] = content.replaceSets[j];
        replaceSets_.setReplaceSet(static_cast<int16_t>(j), name, before, after);
        replaceEditor_.setReplaceSet(static_cast<int16_t>(j + 1), name, before, after);
    }
    hotkeys_.setCombinations(content.popupHotKey, content.listHotKeys);
}

SettingsFileContent Shell::settingsFileContent() const {
    SettingsFileContent content;
    content.settings = lists_.settings;
    content.opacity = replaceSets_.getTranslucentIndex();
    content.popupHotKey = hotkeys_.popupCombination();
    content.listHotKeys = hotkeys_.listCombinations();
    for (int16_t j = 0; j <= replaceEditor_.getPopupNum() - 2; ++j) {
        content.replaceSets.push_back({replaceSets_.getReplaceWord(j, 0),
                                       replaceSets_.getReplaceWord(j, 1),
                                       replaceSets_.getReplaceWord(j, 2)});
    }
    return content;
}

// All windows are created hidden; all but the two dialogs (Form3, Form5) stay
// topmost from now on.
void Shell::createWindowsHiddenAndTopmost() {
    constexpr int kMoved[] = {1, 2, 4, 5, 6, 7, 8, 9};
    for (int number : kMoved) {
        ui::Window& window = forms_.byNumber(number);
        window.setLeft(-window.width());
    }
    for (int number : {1, 2, 4, 6, 7, 8, 9}) {
        ui::Window& window = forms_.byNumber(number);
        window.setLoaded(true);
        window.setTopmost(true);
        window.setVisible(false);
    }
    forms_.form3.setLoaded(true);
    forms_.form3.setVisible(false);
    forms_.form5.setLoaded(true);
    for (int number : kMoved) {
        forms_.byNumber(number).setLeft(0);
    }
}

// The seven list files. An unreadable launcher or clipboard list ends the
// program without saving anything; a failed word list leaves it and the later
// lists unloaded.
bool Shell::readLists() {
    const auto outcome = readListFiles(platform_, programFolder(platform_), lists_);
    show(outcome.messages);
    if (outcome.fatal) {
        abortingLoad_ = true;
        Form_QueryUnload();
        return false;
    }
    captionModeMenu();
    checkWritable();
    return true;
}

// A program folder where nothing can be written (under Program Files, a
// read-only folder) or a read-only file is told once, now, rather than as
// failed saves at exit; those files are then left alone.
void Shell::checkWritable() {
    const std::u16string folder = programFolder(platform_);
    std::vector<std::u16string> names{kSettingsFileName};
    for (int list = 0; list < kListCount; ++list) {
        names.push_back(listFileName(list));
    }
    const bool folderWritable = platform_.canWrite(folder);
    std::u16string places = folderWritable ? u"" : folder;
    // The folder is named alone; in a writable folder, each read-only file.
    for (const std::u16string& name : names) {
        if (folderWritable && platform_.canWrite(folder + name)) {
            continue;
        }
        unwritable_.insert(name);
        if (folderWritable) {
            places += (places.empty() ? u"" : u"\r\n") + name;
        }
    }
    if (!places.empty()) {
        message(kCannotWriteMessage + places, kMbIconExclamation);
    }
}

// The mode menu names the lists; a list without a name (not read) has no item.
void Shell::captionModeMenu() {
    auto& menu = forms_.form1.mnuModeMenu;
    for (size_t j = 0; j < kListCount; ++j) {
        const auto& name = lists_.listNames[j];
        if (!name.empty()) {
            menu.mnuMode[j].setCaption(name);
        } else {
            menu.mnuMode[j].setVisible(false);
        }
    }
}

void Shell::applyHeaderDefaults() {
    for (int i = 0; i < lists_.loadedListCount; ++i) {
        if (lists_.elementKey(i).empty()) {
            lists_.elementKey(i) = kNoElementKey;
        }
        if (lists_.cancelKeyLine(i).empty()) {
            lists_.cancelKeyLine(i) = kNoCancelKeys;
        }
    }
    for (int i = 0; i < lists_.loadedListCount; ++i) {
        completion_.separateString(static_cast<int16_t>(i), lists_.cancelKeyLine(i));
    }
}

// The first enabled list becomes the mode.
void Shell::chooseFirstMode() {
    auto& menu = forms_.form1.mnuModeMenu;
    int16_t current = 0;
    menu.mnuMode[0].setChecked(true);
    if (!lists_.settings.listEnabled[0]) {
        menu.mnuMode[0].setVisible(false);
        menu.mnuMode[0].setChecked(false);
        current = 1;
        menu.mnuMode[1].setChecked(true);
    }
    if (!lists_.settings.listEnabled[1]) {
        menu.mnuMode[1].setVisible(false);
        menu.mnuClipDuplicate.setVisible(false);
        if (current == 1) {
            current = 2;
            menu.mnuMode[1].setChecked(false);
            menu.mnuMode[2].setVisible(true);
            menu.mnuMode[2].setChecked(true);
        }
    }
    forms_.form1.setCaption(lists_.listNames[static_cast<size_t>(current)] + kCaptionSuffix);
    completion_.startOn(current);
}

bool Shell::Form_Load() {
    ui::Form1& form1 = forms_.form1;
    auto& menu = form1.mnuModeMenu;
    if (platform_.anotherInstanceRunning()) {
        message(kAlreadyRunningMessage, kMbIconExclamation);
        endProcess();
        return false;
    }
    forms_.form4.setLoaded(true);
    if (!readSettings()) {
        return false;
    }
    menu.mnuPopText.setChecked(true);
    menu.mnuPopText.setVisible(false);
    abortingLoad_ = false;
    completion_.initialise();
    form1.Command1.setVisible(false);
    form1.Command2.setVisible(false);
    createWindowsHiddenAndTopmost();

    if (!readLists()) {
        return false;
    }
    applyHeaderDefaults();
    menu.mnuClipDuplicate.setChecked(false);
    chooseFirstMode();
    for (size_t i = 0; i < kListCount; ++i) {
        const bool inUse = lists_.loaded(static_cast<int>(i));
        if (inUse) {
            menu.mnuHotkey[i].setCaption(lists_.listNames[i]);
        }
        menu.mnuHotkey[i].setVisible(inUse);
    }
    platform_.addTrayIcon(form1.handle(), kAppTitle);
    hotkeys_.setShowHotKey();
    hotkeys_.hookWindow();
    savedFingerprint_ = fingerprintOfSavedFiles();
    seenFingerprint_ = savedFingerprint_;
    if (onResident) {
        onResident();
    }
    return true;
}

}  // namespace wordvane
