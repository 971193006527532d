// The tray icon's mouse buttons, and the start at sign-in its menu offers.

#include "app/shell.h"
#include "ui/message_box.h"
#include "util/ascii.h"

namespace wordvane {

namespace {

constexpr char16_t kOtherCopyQuestion[] =
    u"Windows の起動時には別の場所の Wordvane が開始するよう設定されています。\r\n"
    u"この Wordvane に変えますか？";

// The program a Run command starts: its first word, without quotes.
std::u16string programOf(const std::u16string& command) {
    if (command.starts_with(u'"')) {
        return command.substr(1, command.find(u'"', 1) - 1);
    }
    return command.substr(0, command.find(u' '));
}

}  // namespace

// The sign-in command starts this very program (a path is the same whatever
// its letters' case).
bool Shell::startsThisProgram(const std::optional<std::u16string>& command) {
    return command && asciiLowered(programOf(*command)) == asciiLowered(platform_.programPath());
}

// Sets or removes the start at sign-in for this program; one that starts
// another copy is replaced only when the user says so.
void Shell::mnuStartAtSignIn_Click() {
    const auto command = platform_.signInCommand();
    if (startsThisProgram(command)) {
        platform_.setSignInCommand(std::nullopt);
        return;
    }
    if (command && message(kOtherCopyQuestion, kMbYesNo) != kIdYes) {
        return;
    }
    platform_.setSignInCommand(u"\"" + platform_.programPath() + u"\"");
}

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
    menu.mnuStartAtSignIn.setVisible(true);
    menu.mnuStartAtSignIn.setChecked(startsThisProgram(platform_.signInCommand()));
    if (lists_.settings.listEnabled[0]) {
        menu.mnuPopText.setVisible(true);
    }
    platform_.setForegroundWindow(form1.handle());
    platform_.popupMenu(menu, platform_.trayMenuPlace());
}

}  // namespace wordvane
