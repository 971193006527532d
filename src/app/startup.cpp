#include "app/startup.h"

#include "app/app.h"
#include "app/tray_icon.h"
#include "completion/cancel_keys.h"
#include "completion/candidate_list.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/list_files.h"
#include "lists/settings_file.h"

namespace wordvane {

namespace {

constexpr char16_t kAlreadyRunningMessage[] = u"既に起動されています。";
constexpr char16_t kCaptionSuffix[] = u" - Wordvane ";

void initialiseVariables(App& app) {
    CompletionState& c = app.completion;
    c.typedText.clear();
    c.pendingKey.clear();
    c.shownText.clear();
    c.lastClipText.clear();
    c.lastPopupLink.clear();
    c.reshowListPending = false;
    c.keepDuplicateOnce = false;
    c.doubleCtrlSelecting = false;
    c.forcedList = false;
    app.abortingLoad = false;
    c.displaySize = 0;
    c.lastListIndex = 0;
    c.openWord = -1;
    c.seriesActive = false;
    c.seriesCurrent = 0;
    c.separatorLabel = kSeparatorLabel;
    const Size screen = app.platform.screenSizePixels();
    c.screenWidthPx = screen.width;
    c.screenHeightPx = screen.height;
    app.lists.wordListChanged = {};
    c.windowSizePx = {{{185, 260}, {380, 211}, {555, 211}}};
}

// All windows are created hidden; all but the two dialogs (Form3, Form5) stay
// topmost from now on.
void createWindowsHiddenAndTopmost(App& app) {
    ui::Forms& forms = app.forms;
    constexpr int kMoved[] = {1, 2, 4, 5, 6, 7, 8, 9};
    for (int number : kMoved) {
        ui::Window& window = forms.byNumber(number);
        window.setLeft(-window.width());
    }
    for (int number : {1, 2, 4, 6, 7, 8, 9}) {
        ui::Window& window = forms.byNumber(number);
        window.setLoaded(true);
        window.setTopmost(true);
        window.setVisible(false);
    }
    forms.form3.setLoaded(true);
    forms.form3.setVisible(false);
    forms.form5.setLoaded(true);
    for (int number : kMoved) {
        forms.byNumber(number).setLeft(0);
    }
}

void applyHeaderDefaults(App& app) {
    ListState& lists = app.lists;
    for (int i = 0; i < lists.loadedListCount; ++i) {
        if (lists.elementKey(i).empty()) {
            lists.elementKey(i) = kNoElementKey;
        }
        if (lists.cancelKeyLine(i).empty()) {
            lists.cancelKeyLine(i) = kNoCancelKeys;
        }
    }
    for (int i = 0; i < lists.loadedListCount; ++i) {
        separateString(app, static_cast<int16_t>(i), lists.cancelKeyLine(i));
    }
}

// The first enabled list becomes the mode.
void chooseFirstMode(App& app) {
    auto& menu = app.forms.form1.mnuModeMenu;
    int16_t& current = app.lists.currentList;
    current = 0;
    menu.mnuMode[0].setChecked(true);
    if (!app.settings.listEnabled[0]) {
        menu.mnuMode[0].setVisible(false);
        menu.mnuMode[0].setChecked(false);
        current = 1;
        menu.mnuMode[1].setChecked(true);
    }
    if (!app.settings.listEnabled[1]) {
        menu.mnuMode[1].setVisible(false);
        menu.mnuClipDuplicate.setVisible(false);
        if (current == 1) {
            current = 2;
            menu.mnuMode[1].setChecked(false);
            menu.mnuMode[2].setVisible(true);
            menu.mnuMode[2].setChecked(true);
        }
    }
}

}  // namespace

bool Form_Load(App& app) {
    ui::Form1& form1 = app.forms.form1;
    auto& menu = form1.mnuModeMenu;
    if (app.platform.anotherInstanceRunning()) {
        app.message(kAlreadyRunningMessage, kMbIconExclamation);
        app.endProcess();
        return false;
    }
    for (auto& hotKey : app.hotkeys.hotKeys) {
        hotKey.enabled = false;
    }
    app.forms.form4.setLoaded(true);
    if (!readInitialFile(app)) {
        return false;
    }
    app.completion.skipNextKey = false;
    menu.mnuPopText.setChecked(true);
    menu.mnuPopText.setVisible(false);
    initialiseVariables(app);
    form1.Command1.setVisible(false);
    form1.Command2.setVisible(false);
    createWindowsHiddenAndTopmost(app);

    app.lists.wordLists = {};
    setWordList(app);
    if (app.processEnded) {
        return false;
    }
    applyHeaderDefaults(app);
    chooseFirstMode(app);

    menu.mnuClipDuplicate.setChecked(false);
    const auto current = static_cast<size_t>(app.lists.currentList);
    form1.setCaption(app.lists.listNames[current] + kCaptionSuffix);
    app.completion.displaySize = app.lists.listDisplaySize[current];
    setWindowSize(app);
    for (size_t i = 0; i < kListCount; ++i) {
        const bool inUse = static_cast<int>(i) < app.lists.loadedListCount;
        if (inUse) {
            menu.mnuHotkey[i].setCaption(app.lists.listNames[i]);
        }
        menu.mnuHotkey[i].setVisible(inUse);
    }
    addTrayIcon(app);
    setShowHotKey(app);
    hookWindow(app, form1.handle());
    return true;
}

}  // namespace wordvane
