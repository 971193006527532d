#include "completion/main_tick.h"

#include "app/app.h"
#include "completion/candidate_list.h"
#include "completion/insertion.h"
#include "completion/select_word.h"
#include "hotkeys/navigation_hotkeys.h"

namespace wordvane {

namespace {

void countDownBalloon(App& app) {
    int16_t& ticks = app.completion.balloonTicks;
    if (ticks != 0) {
        --ticks;
        if (ticks == 0) {
            app.forms.form7.setVisible(false);
        }
    }
}

// A list hotkey asked for the list: the word level opens, typing the start
// character into the application first when the settings say so. True when
// the tick ends here.
bool reshowList(App& app) {
    CompletionState& c = app.completion;
    c.reshowListPending = false;
    if (app.forms.form1.mnuModeMenu.mnuOff.checked()) {
        return false;
    }
    std::u16string startChar = app.lists.startChar(app.lists.currentList);
    if (startChar.empty()) {
        c.openWord = -1;
        showList(app);
        return true;
    }
    form_visible(app, false);
    c.typedText.clear();
    c.openWord = -1;
    if (app.settings.showStartChar) {
        c.skipNextKey = true;
        clipInsert(app, startChar);
    }
    selectWord(app, startChar);
    return true;
}

// One series step per paste key; the next one needs a tick without it.
void advanceSeries(App& app, const std::u16string& spelling) {
    CompletionState& c = app.completion;
    const bool pasteKey =
        (spelling == u"v" && app.keyReader.ctrlDown()) || spelling == u"Shiftinsert";
    if (pasteKey) {
        if (c.pasteKeyArmed) {
            app.callNotYetBuilt(u"doSeriesPaste");
        }
        c.pasteKeyArmed = false;
    } else {
        c.pasteKeyArmed = true;
    }
}

}  // namespace

void Timer1_Timer(App& app) {
    CompletionState& c = app.completion;
    const ui::ModeMenu& menu = app.forms.form1.mnuModeMenu;
    if (app.forms.form3.visible()) {
        return;
    }
    std::u16string spelling = app.keyReader.getPushedSpell(app.platform);
    if (menu.mnuClipDuplicate.checked() &&
        ((spelling == u"c" && app.keyReader.ctrlDown()) || spelling == u"Shiftdelete")) {
        c.keepDuplicateOnce = true;
    }
    if (app.settings.listEnabled[0] || app.settings.listEnabled[1]) {
        if (++c.clipTickCount > 30) {
            c.clipTickCount = 0;
            app.callNotYetBuilt(u"checkClipboad");
        }
    }
    if (c.skipNextKey) {
        spelling.clear();
        c.skipNextKey = false;
    }
    if (menu.mnuOff.checked()) {
        spelling.clear();
    }
    countDownBalloon(app);
    if (c.linkPopupShown) {
        app.callNotYetBuilt(u"selectForm4ShowHide");
    }
    if (app.forms.form2.visible()) {
        app.callNotYetBuilt(u"incrementTimeCount");
    }
    if (c.reshowListPending && reshowList(app)) {
        return;
    }
    if (c.seriesActive) {
        advanceSeries(app, spelling);
    }
    if (app.settings.doubleCtrlWait > 0) {
        app.callNotYetBuilt(u"doubleControll");
    }
    if (!c.pendingKey.empty()) {
        std::u16string pending = c.pendingKey;
        selectWord(app, pending);
        c.pendingKey.clear();
        c.typedText.clear();
        return;
    }
    const int current = app.lists.currentList;
    if (app.lists.elementKey(current) == kNoElementKey && c.openWord != -1 && c.typedText.empty() &&
        !app.forms.form1.visible()) {
        // The elements of the word just opened are listed without a key.
        std::u16string listElements = kNoElementKey;
        selectWord(app, listElements);
        return;
    }
    if (!spelling.empty() && spelling != u"insert" &&
        (spelling == u"Esc" || current != kLauncherList)) {
        selectWord(app, spelling);
    }
}

void Text1_KeyDown(App& app, int16_t keyCode, int16_t /*shift*/) {
    ui::Form1& form1 = app.forms.form1;
    const bool editingKey = keyCode == 16 || keyCode == 8 || keyCode == 9 || keyCode == 13 ||
                            keyCode == 46 || (keyCode >= 48 && keyCode <= 57) ||
                            (keyCode >= 65 && keyCode <= 90) || (keyCode >= 96 && keyCode <= 111) ||
                            (keyCode >= 186 && keyCode <= 192) ||
                            (keyCode >= 219 && keyCode <= 222) || keyCode == 226;
    if (!form1.Timer1.enabled() || !editingKey) {
        return;
    }
    deleteNavigationHotKey(app);
    form1.Timer1.setEnabled(false);
    form1.setCaption(u"編集中");
    if (app.completion.displaySize == 2) {
        const bool wide = form1.List1.width() + form1.Text1.width() - 150 > form1.width();
        form1.Command2.setLeft(form1.width() - (wide ? 1080 : 1330));
        form1.Command1.setLeft(form1.width() - (wide ? 2080 : 2330));
    }
    form1.Command1.setVisible(true);
    form1.Command2.setVisible(true);
}

}  // namespace wordvane
