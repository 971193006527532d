#include "app/app.h"

namespace wordvane {

App::App(Platform& p)
    : platform(p),
      replaceSets(p, forms.form4),
      replaceEditor(forms.form9, replaceSets),
      hotkeys(p, forms.form1, lists),
      insertion(p, forms.form2.Timer1),
      completion(p, forms.form1, forms.form7, forms.form8, lists, hotkeys, insertion),
      modes(p, forms.form1, forms.form7, lists, hotkeys, completion, insertion, keyReader),
      capture(p, lists, completion, forms.form1),
      notice(forms.form2),
      navigation(p, forms.form1, completion),
      launcher(p, lists, completion, insertion),
      textWindow(p, forms.form4, forms.form1.mnuModeMenu.mnuPopText, replaceSets, launcher, lists),
      textTransform(p, forms.form4, notice, replaceSets, insertion),
      series(p, lists, completion, forms.form1, notice),
      listCommands(p, lists, completion, hotkeys, forms.form1, forms.form3),
      wordDialogs(p, lists, completion, forms),
      inlineEditor(p, forms.form1, hotkeys, lists, completion),
      hotkeyDialog(p, forms.form6, hotkeys, lists, forms.form1.mnuModeMenu.mnuOff),
      hotkeyDispatch(p, hotkeys, keyReader, lists, completion, navigation, modes, listCommands),
      mainTick(p, forms.form1.Timer1, keyReader, completion, insertion, modes, capture, notice,
               forms.form1.mnuModeMenu, forms.form3),
      shell(p, forms, lists, hotkeys, completion, replaceSets, replaceEditor) {
    ui::Form1& form1 = forms.form1;
    form1.Timer1.onTick = [this] { mainTick.Timer1_Timer(); };
    form1.Text1.onKeyDown = [this](int16_t key, int16_t shift) {
        inlineEditor.Text1_KeyDown(key, shift);
    };
    form1.List1.onClick = [this] {
        inlineEditor.List1_Click();
        listCommands.List1_Click();
    };
    form1.List1.onRightButton = [this] { listCommands.List1_RightButton(); };
    form1.List1.onDoubleClick = [this] { launcher.tryShellExecute(); };
    // What a hotkey leaves for the main tick (the list it shows, the keys
    // after an insertion) is done at once, not at the next interval.
    form1.onHotKey = [this](int16_t id) {
        hotkeyDispatch.hotKeyWndProc(id);
        forms.form1.Timer1.fireSoon();
    };
    form1.onTrayIcon = [this](int mouseMessage) { shell.onTrayIconMessage(mouseMessage); };
    // Closing the candidate list (Alt+F4 on it or its description) hides it
    // as Esc does; the program ends only by 終了, the session's end and the
    // installer's request, which may run with nobody to answer a question.
    form1.onClose = [this] { completion.closeList(); };
    // Esc in the filter box, which has the keyboard, ends a search (the key is the box's, not a
    // cancel for the list once the keyboard is back in the application), or closes the launcher
    // list.
    const auto escapeInBox = [this] {
        if (completion.searching()) {
            keyReader.suppressUntilReleased(kVkEscape, platform.milliseconds());
            completion.closeSearch();
        } else {
            completion.closeList();
        }
    };
    forms.form8.onClose = escapeInBox;
    // While searching, the keys that edit a query (Home, End, Insert,
    // Delete) stay the box's; the others move and use the list.
    forms.form8.Text1.onKeyDown = [this, escapeInBox](int16_t key, int16_t shift) {
        const bool editingKey =
            key == kVkHome || key == kVkEnd || key == kVkInsert || key == kVkDelete;
        if (key == kVkEscape) {
            escapeInBox();
        } else if (key == kVkF && (shift & 2) != 0) {
            hotkeyDispatch.navigationKey(key, kModControl);  // a search of the launcher list
        } else if (!completion.searching() || !editingKey) {
            hotkeyDispatch.navigationKey(key, (shift & 1) != 0 ? kModShift : 0);
        }
    };
    hotkeys.keyboardInOwnTextBox = [this] {
        const ui::Window* front = forms.shownWindow(platform.foregroundWindow());
        const ui::Control* focused = front != nullptr ? front->focusedControl() : nullptr;
        return focused != nullptr && focused->kind() == ui::ControlKind::TextBox;
    };
    form1.onQuitRequest = [this] { shell.quitWithoutQuestions(); };
    shell.beforeQuit = [this] { insertion.finish(); };
    shell.saveWaits = [this] { return forms.form1.visible() || !insertion.atRest(); };
    form1.onQueryEndSession = [this] { shell.queryEndSession(); };
    form1.onEndSession = [this] { shell.endSession(); };
    shell.onResident = [this] { modes.loadBalloon(); };

    auto& menu = form1.mnuModeMenu;
    for (size_t i = 0; i < menu.mnuMode.size(); ++i) {
        menu.mnuMode[i].onClick = [this, i] { modes.mnuMode_Click(static_cast<int16_t>(i)); };
    }
    menu.mnuOff.onClick = [this] { modes.mnuOff_Click(); };
    menu.mnuClipDuplicate.onClick = [this] { capture.mnuClipDuplicate_Click(); };
    menu.mnuExit.onClick = [this] { shell.mnuExit_Click(); };
    menu.mnuStartAtSignIn.onClick = [this] { shell.mnuStartAtSignIn_Click(); };
    menu.mnuPopText.onClick = [&menu] { menu.mnuPopText.setChecked(!menu.mnuPopText.checked()); };
    menu.mnuChangeReplaceWay.onClick = [this] { replaceEditor.mnuChangeReplaceWay_Click(); };
    for (size_t i = 0; i < menu.mnuHotkey.size(); ++i) {
        menu.mnuHotkey[i].onClick = [this, i] { hotkeyDialog.open(static_cast<int16_t>(i)); };
    }
    menu.mnuPopup.onClick = [this] { hotkeyDialog.open(-1); };

    hotkeyDispatch.onReturn = [this] { launcher.tryShellExecute(); };
    hotkeyDispatch.onPopupMenu = [this] { textTransform.doPopup(); };
    hotkeyDispatch.onInsert = [this] { series.SeriesePaste(); };
    hotkeyDispatch.onShiftInsert = [this] { wordDialogs.doAddItem(); };
    mainTick.seriesTick = [this](const std::u16string& spelling, bool ctrlDown) {
        series.tick(spelling, ctrlDown);
    };
    mainTick.editingDescription = [this] { return inlineEditor.editing(); };
    mainTick.keyboardInOwnBox = [this] { return hotkeys.keyboardInOwnTextBox(); };
    mainTick.residentTick = [this] {
        hotkeys.yieldNavigationToOwnTextBox();
        textWindow.tick();
        textTransform.tick();
        shell.saveSoonAfterChanges();
    };
    mainTick.othersAtRest = [this] {
        return !textWindow.linkPopupShown() && textTransform.atRest() && !series.active() &&
               shell.nothingToSave();
    };
    forms.onEvent = [this] { mainTick.wake(); };
    capture.onLinkCopied = [this](const std::u16string& text) { textWindow.offerLink(text); };
    forms.form8.Text1.onChange = [this] {
        const std::u16string& text = forms.form8.Text1.text();
        completion.searching() ? completion.setSearchText(text) : completion.setInputText(text);
    };
    forms.form8.Text1.onDoubleClick = [this] { forms.form8.setVisible(false); };

    auto& listMenu = form1.mnuListMenu;
    listMenu.mnuItemDelete.onClick = [this] { listCommands.doItemDelete(); };
    listMenu.mnuStore.onClick = [this] { listCommands.doItemStore(); };
    listMenu.mnuClipAllDelete.onClick = [this] { capture.mnuClipAllDelete_Click(); };
    listMenu.mnuSave.onClick = [this] { listCommands.mnuSave_Click(); };
    listMenu.mnuAdd.onClick = [this] { wordDialogs.doAddItem(); };
    listMenu.mnuChangeWordMenu.onClick = [this] { wordDialogs.mnuChangeWordMenu_Click(); };
    listMenu.mnuClipSeriese.onClick = [this] { series.mnuClipSeriese_Click(); };
    listMenu.mnuSetKett.onClick = [this] { listCommands.mnuSetKett_Click(); };
    listMenu.mnuSetBr.onClick = [this] { listCommands.mnuSetBr_Click(); };

    completion.onListChanged = [this] { inlineEditor.endEditMode(); };
    forms.form2.Timer1.onTick = [this] { insertion.restoreClipboard(); };
}

}  // namespace wordvane
