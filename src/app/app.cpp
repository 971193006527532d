#include "app/app.h"

#include "app/shutdown.h"
#include "completion/insertion.h"
#include "completion/main_tick.h"

namespace wordvane {

App::App(Platform& p) : platform(p), textWindow(p, forms.form4) {
    forms.form1.mnuModeMenu.mnuExit.onClick = [this] { mnuExit_Click(*this); };
    forms.form1.Timer1.onTick = [this] { Timer1_Timer(*this); };
    forms.form2.Timer1.onTick = [this] { restoreClipboard(*this); };
}

int App::message(const std::u16string& text, int style) {
    return platform.messageBox(text, kAppTitle, style);
}

void App::endProcess() {
    processEnded = true;
    platform.exitProcess();
}

std::u16string App::programFolder() {
    std::u16string folder = platform.programFolder();
    if (folder.empty() || (folder.back() != u'\\' && folder.back() != u'/')) {
        folder += u'\\';
    }
    return folder;
}

}  // namespace wordvane
