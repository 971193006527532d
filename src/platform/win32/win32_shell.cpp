#include <vector>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"
#include "ui/controls.h"

namespace wordvane::win32 {

namespace {

// Builds a real menu from the model; `items` maps command ids (index + 1)
// to the model's items. Hidden items are left out.
void buildMenu(HMENU menu, const ui::MenuItem& model, std::vector<ui::MenuItem*>& items) {
    for (ui::MenuItem* item : model.children) {
        if (!item->visible()) {
            continue;
        }
        const std::wstring caption = wide(item->caption());
        if (caption == L"-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const UINT checked = (item->checked() ? MF_CHECKED : MF_UNCHECKED) |
                             (item->enabled() ? MF_ENABLED : MF_GRAYED);
        if (!item->children.empty()) {
            MenuHandle submenu;
            buildMenu(submenu.get(), *item, items);
            AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(submenu.release()),
                        caption.c_str());
            continue;
        }
        items.push_back(item);
        AppendMenuW(menu, MF_STRING | checked, items.size(), caption.c_str());
    }
}

}  // namespace

void Win32Platform::addTrayIcon(WindowHandle window, const std::u16string& tip) {
    trayIcon_ = NOTIFYICONDATAW{};
    trayIcon_.cbSize = sizeof(trayIcon_);
    trayIcon_.hWnd = reinterpret_cast<HWND>(window);
    trayIcon_.uID = 1;
    trayIcon_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    trayIcon_.uCallbackMessage = kTrayIconMessage;
    trayIcon_.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    const std::wstring text = wide(tip).substr(0, std::size(trayIcon_.szTip) - 1);
    text.copy(trayIcon_.szTip, text.size());
    Shell_NotifyIconW(NIM_ADD, &trayIcon_);
    // Kept even when the shell was not ready (at log-on): "TaskbarCreated"
    // adds the icon then.
    trayIconShown_ = true;
}

void Win32Platform::restoreTrayIcon() {
    if (trayIconShown_) {
        Shell_NotifyIconW(NIM_ADD, &trayIcon_);
    }
}

void Win32Platform::removeTrayIcon() {
    if (trayIconShown_) {
        Shell_NotifyIconW(NIM_DELETE, &trayIcon_);
        trayIconShown_ = false;
    }
}

void Win32Platform::popupMenu(ui::Menu& menu, Point at) {
    std::vector<ui::MenuItem*> items;
    UINT chosen = 0;
    {
        MenuHandle popup;
        buildMenu(popup.get(), menu, items);
        chosen = static_cast<UINT>(TrackPopupMenuEx(popup.get(),
                                                    TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                                    at.x, at.y, mainWindow_, nullptr));
        // Lets the menu close properly when the user clicks elsewhere.
        PostMessageW(mainWindow_, WM_NULL, 0, 0);
    }
    if (chosen >= 1 && chosen <= items.size()) {
        items[chosen - 1]->click();
    }
}

int Win32Platform::shellOpen(const std::u16string& target) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", wide(target).c_str(), nullptr, L"c:\\", SW_SHOWNORMAL));
    return static_cast<int>(result);
}

}  // namespace wordvane::win32
