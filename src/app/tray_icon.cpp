// The tray icon's mouse buttons.

#include "app/shell.h"

namespace wordvane {

void Shell::Form_MouseMove(int /*button*/, int /*shift*/, int32_t x, int32_t /*y*/) {
    onTrayIconMessage(platform_.systemScale().pixels(x));
}

void Shell::onTrayIconMessage(int mouseMessage) {
    if (mouseMessage == kTrayLeftButtonUp) {
        completion_.forcedShowList();
        return;
    }
    if (mouseMessage != kTrayRightButtonUp) {
        return;
    }
    auto& form1 = forms_.form1;
    auto& menu = form1.mnuModeMenu;
    completion_.endCycle();
    form1.setVisible(false);
    menu.mnuExit.setVisible(true);
    if (lists_.settings.listEnabled[0]) {
        menu.mnuPopText.setVisible(true);
    }
    platform_.setForegroundWindow(form1.handle());
    platform_.popupMenu(menu, platform_.cursorPosition());
}

}  // namespace wordvane
