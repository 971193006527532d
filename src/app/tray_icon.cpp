#include "app/tray_icon.h"

#include "app/app.h"
#include "completion/candidate_list.h"

namespace wordvane {

void addTrayIcon(App& app) {
    app.platform.addTrayIcon(app.forms.form1.handle(), kAppTitle);
}

void removeTrayIcon(App& app) {
    app.platform.removeTrayIcon();
}

void Form_MouseMove(App& app, int /*button*/, int /*shift*/, int32_t x, int32_t /*y*/) {
    onTrayIconMessage(app, x / app.platform.twipsPerPixelX());
}

void onTrayIconMessage(App& app, int mouseMessage) {
    if (mouseMessage == kTrayLeftButtonUp) {
        forcedShowList(app);
        return;
    }
    if (mouseMessage != kTrayRightButtonUp) {
        return;
    }
    auto& form1 = app.forms.form1;
    auto& menu = form1.mnuModeMenu;
    form_visible(app, false);
    app.completion.typedText.clear();
    app.completion.openWord = -1;
    form1.setVisible(false);
    menu.mnuExit.setVisible(true);
    if (app.settings.listEnabled[0]) {
        menu.mnuPopText.setVisible(true);
    }
    app.platform.setForegroundWindow(form1.handle());
    app.platform.popupMenu(menu, app.platform.cursorPosition());
}

}  // namespace wordvane
