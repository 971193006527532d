#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#include <shlwapi.h>
#include <windowsx.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_text.h"
#include "ui/controls.h"
#include "util/text_mapping.h"

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

// The tray icon at the size the shell asks for at the system's DPI, from
// the icon's images (16 to 256 pixels): sharp at 100 % to 250 %.
HICON smallIcon(HINSTANCE instance) {
    using LoadMetric = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
    static const auto loadMetric = systemFunction<LoadMetric>(L"comctl32.dll", "LoadIconMetric");
    constexpr int kSmall = 0;  // LIM_SMALL
    HICON icon = nullptr;
    if (loadMetric != nullptr &&
        SUCCEEDED(loadMetric(instance, MAKEINTRESOURCEW(1), kSmall, &icon))) {
        return icon;
    }
    using MetricsForDpi = int(WINAPI*)(int, UINT);
    static const auto metricsForDpi =
        systemFunction<MetricsForDpi>(L"user32.dll", "GetSystemMetricsForDpi");
    const int size = metricsForDpi != nullptr
                         ? metricsForDpi(SM_CXSMICON, static_cast<UINT>(systemDpi()))
                         : GetSystemMetrics(SM_CXSMICON);
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace

void Win32Platform::addTrayIcon(WindowHandle window, const std::u16string& tip) {
    trayIcon_ = NOTIFYICONDATAW{};
    trayIcon_.cbSize = sizeof(trayIcon_);
    trayIcon_.hWnd = reinterpret_cast<HWND>(window);
    trayIcon_.uID = 1;
    // With the shell's version 4 the tooltip shows only when asked for.
    trayIcon_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    trayIcon_.uCallbackMessage = kTrayIconMessage;
    trayIcon_.hIcon = smallIcon(instance_);
    const std::wstring text = wide(tip).substr(0, std::size(trayIcon_.szTip) - 1);
    text.copy(trayIcon_.szTip, text.size());
    trayIconShown_ = true;
    trayIconRetries_ = 0;
    restoreTrayIcon();
}

// At sign-in the shell may not take the icon yet, and its "TaskbarCreated"
// may have gone before the program listened: the icon is tried again every
// two seconds for two minutes.
void Win32Platform::restoreTrayIcon() {
    constexpr int kRetries = 60;
    if (!trayIconShown_) {
        return;
    }
    const HWND window = trayIcon_.hWnd;
    if (Shell_NotifyIconW(NIM_ADD, &trayIcon_) ||
        Shell_NotifyIconW(NIM_MODIFY, &trayIcon_)) {  // it was there already
        KillTimer(window, kTrayIconRetryTimer);
        trayIcon_.uVersion = NOTIFYICON_VERSION_4;
        trayVersion4_ = Shell_NotifyIconW(NIM_SETVERSION, &trayIcon_) != FALSE;
    } else if (++trayIconRetries_ <= kRetries) {
        SetTimer(window, kTrayIconRetryTimer, 2000, nullptr);
    } else {
        KillTimer(window, kTrayIconRetryTimer);
    }
}

// With the shell's version 4 events the icon's menu opens from the
// keyboard too (Win+B, the arrows, then Enter or the context-menu key), as
// from the right button; the left button keeps its action.
int Win32Platform::trayIconAction(UINT event, WPARAM anchor) {
    trayAnchor_.reset();
    if (!trayVersion4_) {
        return static_cast<int>(event);
    }
    switch (event) {
        case WM_CONTEXTMENU:
            // The icon's place, from the keyboard as from the mouse.
            trayAnchor_ = Point{GET_X_LPARAM(anchor), GET_Y_LPARAM(anchor)};
            return WM_RBUTTONUP;
        case NIN_KEYSELECT: {
            trayAnchor_ = Point{GET_X_LPARAM(anchor), GET_Y_LPARAM(anchor)};
            // Some shells send Enter's selection twice.
            const ULONGLONG now = GetTickCount64();
            const bool again = now - lastKeySelect_ < GetDoubleClickTime();
            lastKeySelect_ = now;
            return again ? 0 : WM_RBUTTONUP;
        }
        case WM_RBUTTONUP:  // the context menu event follows it
        case NIN_SELECT:    // follows the left button's release
            return 0;
        default:
            return static_cast<int>(event);
    }
}

Point Win32Platform::trayMenuPlace() {
    return trayAnchor_.value_or(cursorPosition());
}

void Win32Platform::removeTrayIcon() {
    if (trayIconShown_) {
        KillTimer(trayIcon_.hWnd, kTrayIconRetryTimer);
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

namespace {

// One open on the shell's thread, and its answer.
struct ShellRequest {
    std::wstring target;
    HWND reply;
    Platform::ShellOpened done;
    int code = 0;
    std::u16string why;
};

// The folder a path lies in, as the opened program's working folder; none
// for a web address or a bare name.
std::wstring folderOf(const std::wstring& target) {
    const bool path = target.size() > 2 && (target[1] == L':' || target.starts_with(L"\\\\"));
    const size_t slash = target.find_last_of(L"\\/");
    return path && slash != std::wstring::npos ? target.substr(0, slash + 1) : std::wstring();
}

// The shell may take long (a path on a server that does not answer) and
// shows no box of its own: the program's thread goes on, and the user
// hears of a failure from the program.
DWORD WINAPI openOnThread(void* parameter) {
    auto* request = static_cast<ShellRequest*>(parameter);
    {
        const ComApartment apartment;
        const std::wstring folder = folderOf(request->target);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
        info.lpVerb = nullptr;  // the file type's default action, which need not be "open"
        info.lpFile = request->target.c_str();
        info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
        info.nShow = SW_SHOWNORMAL;
        const bool opened = ShellExecuteExW(&info) != FALSE;
        const DWORD error = opened ? 0 : GetLastError();
        const auto code = static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp));
        request->code = opened ? std::max(code, 33) : std::min(code, 32);
        if (!opened) {
            request->why = systemErrorText(error);
        }
    }
    if (!PostMessageW(request->reply, kShellOpenedMessage, 0, reinterpret_cast<LPARAM>(request))) {
        delete request;  // the program is ending
    }
    return 0;
}

}  // namespace

// The system's own mapping, in the Japanese locale's rules.
std::u16string Win32Platform::mapText(std::u16string_view text, TextMapping mapping) {
    DWORD flag = LCMAP_HIRAGANA;
    switch (mapping) {
        case TextMapping::Lowercase:
            flag = LCMAP_LOWERCASE;
            break;
        case TextMapping::Halfwidth:
            flag = LCMAP_HALFWIDTH;
            break;
        case TextMapping::Fullwidth:
            flag = LCMAP_FULLWIDTH;
            break;
        case TextMapping::Katakana:
            flag = LCMAP_KATAKANA;
            break;
        case TextMapping::Hiragana:
            break;
    }
    if (text.empty()) {
        return u"";
    }
    // Into `out`, or its length when `out` is empty.
    const auto map = [&](std::u16string& out) {
        return LCMapStringEx(L"ja-JP", flag, reinterpret_cast<const wchar_t*>(text.data()),
                             static_cast<int>(text.size()),
                             out.empty() ? nullptr : reinterpret_cast<wchar_t*>(out.data()),
                             static_cast<int>(out.size()), nullptr, nullptr, 0);
    };
    // A half-width voiced katakana becomes two characters: room for twice
    // the text, asked again only if that is not enough.
    std::u16string out(text.size() * 2, u'\0');
    int length = map(out);
    if (length == 0) {
        out.clear();
        out.resize(static_cast<size_t>(std::max(map(out), 0)));
        length = out.empty() ? 0 : map(out);
    }
    if (length <= 0) {
        return mapByTables(text, mapping);  // the system refused: the same mapping, as tables
    }
    out.resize(static_cast<size_t>(length));
    return out;
}

// A suffix the system counts as one that runs code (AssocIsDangerous).
bool Win32Platform::dangerousFileType(const std::u16string& target) {
    const std::wstring path = wide(target);
    const wchar_t* extension = PathFindExtensionW(path.c_str());
    return *extension != L'\0' && AssocIsDangerous(extension) != FALSE;
}

void Win32Platform::shellOpen(const std::u16string& target, ShellOpened done) {
    auto* request = new ShellRequest{wide(target), mainWindow_, std::move(done), 0, u""};
    const HANDLE thread = CreateThread(nullptr, 0, openOnThread, request, 0, nullptr);
    if (thread == nullptr) {
        const auto failed = std::move(request->done);
        delete request;
        failed(0, systemErrorText(GetLastError()));
        return;
    }
    CloseHandle(thread);
}

void Win32Platform::shellOpened(LPARAM parameter) {
    const std::unique_ptr<ShellRequest> request(reinterpret_cast<ShellRequest*>(parameter));
    request->done(request->code, request->why);
}

}  // namespace wordvane::win32
