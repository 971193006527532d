#include "app/app.h"

namespace wordvane {

App::App(Platform& p)
    : platform(p),
      textWindow(p, forms.form4),
      hotkeys(p, forms.form1, lists),
      insertion(p, keyReader, forms.form2.Timer1),
      completion(p, forms.form1, forms.form7, forms.form8, lists, hotkeys, insertion),
      navigation(p, forms.form1, completion),
      listCommands(p, lists, completion, forms.form3),
      inlineEditor(forms.form1, hotkeys, completion),
      hotkeyDispatch(p, hotkeys, keyReader, lists, completion, navigation),
      mainTick(p, keyReader, completion, forms.form3, forms.form1.mnuModeMenu.mnuOff),
      shell(p, forms, lists, hotkeys, completion, textWindow, replaceEditor) {
    ui::Form1& form1 = forms.form1;
    form1.Timer1.onTick = [this] { mainTick.Timer1_Timer(); };
    form1.Text1.onKeyDown = [this](int16_t key, int16_t shift) {
        inlineEditor.Text1_KeyDown(key, shift);
    };
    form1.onHotKey = [this](int16_t id) { hotkeyDispatch.hotKeyWndProc(id); };
    form1.onTrayIcon = [this](int mouseMessage) { shell.onTrayIconMessage(mouseMessage); };
    // Closing Form1, by the system or anyone, is the program's exit.
    form1.onClose = [this] { shell.Form_QueryUnload(); };
    form1.mnuModeMenu.mnuExit.onClick = [this] { shell.mnuExit_Click(); };
    forms.form2.Timer1.onTick = [this] { insertion.restoreClipboard(); };
}

}  // namespace wordvane
