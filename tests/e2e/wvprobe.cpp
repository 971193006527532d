// The tests' eyes and hands inside the Wine prefix. Prints one JSON object a
// line (UTF-8):
//   wvprobe windows            every top-level window: handle, process, class,
//                              title, visibility, rectangle and the texts of
//                              its child windows (a list box's lines too)
//   wvprobe menus              the items of every open pop-up menu with their
//                              screen rectangles
//   wvprobe post HWND MSG W L  posts a message (numbers in decimal)
//   wvprobe click HWND ID      clicks button ID of dialog HWND
//   wvprobe choose HWND ID N   chooses entry N of drop-down list ID of HWND, as
//                              the user does (the owner hears CBN_SELCHANGE)
//   wvprobe getclip            the clipboard's text
//   wvprobe setimage           puts a small image (CF_DIB) and an "HTML Format"
//                              text on the clipboard, as a browser's copy does
//   wvprobe getformat ID|NAME  the bytes of one clipboard format, in hex
//   wvprobe setclip TEXT [exclude]
//                              puts TEXT on the clipboard; with "exclude"
//                              marked as a password manager marks its copies

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string utf8(const std::wstring& text) {
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), bytes,
                        nullptr, nullptr);
    return out;
}

std::string json(const std::wstring& text) {
    std::string out = "\"";
    for (char c : utf8(text)) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

void print(const std::string& line) {
    const std::string withEnd = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), withEnd.data(), static_cast<DWORD>(withEnd.size()),
              &written, nullptr);
}

std::wstring textOf(HWND window) {
    wchar_t text[4096] = {};
    // WM_GETTEXT works across processes where GetWindowText may not.
    SendMessageTimeoutW(window, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        1000, nullptr);
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::string rectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    char out[96];
    std::snprintf(out, sizeof(out), "[%ld,%ld,%ld,%ld]", rect.left, rect.top, rect.right,
                  rect.bottom);
    return out;
}

// A list box's lines, read as a screen reader reads them (LB_GETTEXT), and
// its selected line.
std::string listOf(HWND list) {
    std::string lines = ",\"lines\":[";
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring line(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(line.data()));
        line.resize(static_cast<size_t>(length > 0 ? length : 0));
        lines += (i > 0 ? "," : "") + json(line);
    }
    return lines + "],\"selected\":" + std::to_string(SendMessageW(list, LB_GETCURSEL, 0, 0));
}

BOOL CALLBACK collectChild(HWND child, LPARAM list) {
    auto* children = reinterpret_cast<std::vector<std::string>*>(list);
    const bool listBox = _wcsicmp(classOf(child).c_str(), L"listbox") == 0;
    children->push_back("{\"hwnd\":" + std::to_string(reinterpret_cast<uintptr_t>(child)) +
                        ",\"id\":" + std::to_string(GetDlgCtrlID(child)) +
                        ",\"class\":" + json(classOf(child)) + ",\"text\":" + json(textOf(child)) +
                        // A child's own visibility: its style, whether or
                        // not its window is shown.
                        ",\"visible\":" +
                        ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0 ? "true" : "false") +
                        ",\"rect\":" + rectOf(child) + (listBox ? listOf(child) : "") + "}");
    return TRUE;
}

BOOL CALLBACK printWindow(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    std::vector<std::string> children;
    EnumChildWindows(window, collectChild, reinterpret_cast<LPARAM>(&children));
    std::string line =
        "{\"hwnd\":" + std::to_string(reinterpret_cast<uintptr_t>(window)) +
        ",\"pid\":" + std::to_string(process) + ",\"class\":" + json(classOf(window)) +
        ",\"title\":" + json(textOf(window)) +
        ",\"visible\":" + (IsWindowVisible(window) ? "true" : "false") + ",\"topmost\":" +
        ((GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "true" : "false") +
        ",\"rect\":" + rectOf(window) + ",\"children\":[";
    for (size_t i = 0; i < children.size(); ++i) {
        line += (i > 0 ? "," : "") + children[i];
    }
    print(line + "]}");
    return TRUE;
}

BOOL CALLBACK printMenu(HWND window, LPARAM) {
    if (classOf(window) != L"#32768" || !IsWindowVisible(window)) {
        return TRUE;
    }
    const auto menu = reinterpret_cast<HMENU>(SendMessageW(window, 0x01E1 /* MN_GETHMENU */, 0, 0));
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t caption[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, 256, MF_BYPOSITION);
        RECT rect{};
        GetMenuItemRect(nullptr, menu, static_cast<UINT>(i), &rect);
        const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        char geometry[96];
        std::snprintf(geometry, sizeof(geometry), "[%ld,%ld,%ld,%ld]", rect.left, rect.top,
                      rect.right, rect.bottom);
        print("{\"menu\":" + std::to_string(reinterpret_cast<uintptr_t>(window)) +
              ",\"index\":" + std::to_string(i) + ",\"caption\":" + json(caption) +
              ",\"checked\":" + ((state & MF_CHECKED) ? "true" : "false") +
              ",\"rect\":" + geometry + "}");
    }
    return TRUE;
}

uintptr_t number(const wchar_t* text) {
    return static_cast<uintptr_t>(_wcstoui64(text, nullptr, 10));
}

}  // namespace

// A rectangle of the screen: a hash of its pixels and how many of them
// differ from its first one (its background).
void printScreenPixels(int left, int top, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    uint64_t hash = 1469598103934665603ull;
    size_t ink = 0;
    for (const uint32_t pixel : pixels) {
        hash = (hash ^ (pixel & 0xFFFFFF)) * 1099511628211ull;
        ink += (pixel & 0xFFFFFF) != (pixels.empty() ? 0 : pixels[0] & 0xFFFFFF) ? 1 : 0;
    }
    print("{\"hash\":\"" + std::to_string(hash) + "\",\"ink\":" + std::to_string(ink) +
          ",\"width\":" + std::to_string(width) + ",\"height\":" + std::to_string(height) + "}");
}

// Line `index` of a list box as it is on the screen.
void printListLinePixels(HWND list, int index) {
    RECT client{};
    GetClientRect(list, &client);
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    POINT origin{0, (index - top) * height};
    ClientToScreen(list, &origin);
    printScreenPixels(origin.x, origin.y, client.right, height);
}

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"windows") {
        EnumWindows(printWindow, 0);
        return 0;
    }
    if (command == L"foreground") {
        // The window in front (or the one named), the control that has the
        // keyboard in its thread, and the X window Wine shows it in (to give
        // it the X keyboard focus).
        const HWND front =
            argc == 3 ? reinterpret_cast<HWND>(number(argv[2])) : GetForegroundWindow();
        GUITHREADINFO thread{};
        thread.cbSize = sizeof(thread);
        GetGUIThreadInfo(GetWindowThreadProcessId(front, nullptr), &thread);
        const auto x11 = reinterpret_cast<uintptr_t>(GetPropW(front, L"__wine_x11_whole_window"));
        print("{\"foreground\":" + std::to_string(reinterpret_cast<uintptr_t>(front)) +
              ",\"focus\":" + std::to_string(reinterpret_cast<uintptr_t>(thread.hwndFocus)) +
              ",\"x11\":" + std::to_string(x11) + "}");
        return 0;
    }
    if (command == L"menus") {
        EnumWindows(printMenu, 0);
        return 0;
    }
    if (command == L"post" && argc == 6) {
        const BOOL posted = PostMessageW(
            reinterpret_cast<HWND>(number(argv[2])), static_cast<UINT>(number(argv[3])),
            static_cast<WPARAM>(number(argv[4])), static_cast<LPARAM>(number(argv[5])));
        return posted ? 0 : 1;
    }
    if (command == L"quit" && argc == 3) {
        // The installer's request to a running copy.
        const BOOL posted = PostMessageW(reinterpret_cast<HWND>(number(argv[2])),
                                         RegisterWindowMessageW(L"Wordvane.Quit"), 0, 0);
        return posted ? 0 : 1;
    }
    if (command == L"click" && argc == 4) {
        HWND dialog = reinterpret_cast<HWND>(number(argv[2]));
        HWND button = GetDlgItem(dialog, static_cast<int>(number(argv[3])));
        return PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
    }
    if (command == L"choose" && argc == 5) {
        HWND dialog = reinterpret_cast<HWND>(number(argv[2]));
        const auto id = static_cast<int>(number(argv[3]));
        HWND combo = GetDlgItem(dialog, id);
        SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(number(argv[4])), 0);
        return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                            reinterpret_cast<LPARAM>(combo))
                   ? 0
                   : 1;
    }
    if (command == L"linepixels" && argc == 4) {
        printListLinePixels(reinterpret_cast<HWND>(number(argv[2])),
                            static_cast<int>(number(argv[3])));
        return 0;
    }
    if (command == L"hold" && argc == 4) {
        // Holds a file open as a virus scanner does for a moment (others may
        // read it, nobody may replace it), for the given milliseconds.
        HANDLE file = CreateFileW(argv[2], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return 1;
        }
        print("{\"held\":true}");
        fflush(stdout);
        Sleep(static_cast<DWORD>(number(argv[3])));
        CloseHandle(file);
        return 0;
    }
    if (command == L"pixels" && argc == 6) {
        printScreenPixels(static_cast<int>(number(argv[2])), static_cast<int>(number(argv[3])),
                          static_cast<int>(number(argv[4])), static_cast<int>(number(argv[5])));
        return 0;
    }
    if (command == L"setimage") {
        // A 2 x 1 pixel, 24-bit bitmap and a fragment of HTML.
        std::string dib(sizeof(BITMAPINFOHEADER) + 8, '\0');
        auto* header = reinterpret_cast<BITMAPINFOHEADER*>(dib.data());
        header->biSize = sizeof(BITMAPINFOHEADER);
        header->biWidth = 2;
        header->biHeight = 1;
        header->biPlanes = 1;
        header->biBitCount = 24;
        header->biCompression = BI_RGB;
        const char pixels[8] = {'\x10', '\x20', '\x30', '\x40', '\x50', '\x60', 0, 0};
        std::memcpy(dib.data() + sizeof(BITMAPINFOHEADER), pixels, sizeof(pixels));
        const std::string html = "Version:0.9\r\nStartHTML:0\r\n<b>wordvane</b>";
        if (!OpenClipboard(nullptr)) {
            return 1;
        }
        EmptyClipboard();
        bool set = true;
        for (const auto& [format, bytes] :
             {std::pair{UINT{CF_DIB}, dib}, {RegisterClipboardFormatW(L"HTML Format"), html}}) {
            HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
            std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
            GlobalUnlock(memory);
            set = set && SetClipboardData(format, memory) != nullptr;
        }
        CloseClipboard();
        return set ? 0 : 1;
    }
    if (command == L"getformat" && argc == 3) {
        const UINT format = iswdigit(argv[2][0]) ? static_cast<UINT>(number(argv[2]))
                                                 : RegisterClipboardFormatW(argv[2]);
        std::string hex;
        if (OpenClipboard(nullptr)) {
            if (HANDLE data = GetClipboardData(format)) {
                const auto* bytes = static_cast<const unsigned char*>(GlobalLock(data));
                for (SIZE_T i = 0; bytes != nullptr && i < GlobalSize(data); ++i) {
                    char pair[3];
                    std::snprintf(pair, sizeof(pair), "%02x", bytes[i]);
                    hex += pair;
                }
                GlobalUnlock(data);
            }
            CloseClipboard();
        }
        print("{\"bytes\":\"" + hex + "\"}");
        return 0;
    }
    if (command == L"getclip") {
        std::wstring text;
        if (OpenClipboard(nullptr)) {
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
                    text = locked;
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
        }
        print("{\"clipboard\":" + json(text) + "}");
        return 0;
    }
    if (command == L"setclip" && (argc == 3 || argc == 4)) {
        const std::wstring text = argv[2];
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        if (memory == nullptr || !OpenClipboard(nullptr)) {
            return 1;
        }
        std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        EmptyClipboard();
        bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (argc == 4 && std::wstring(argv[3]) == L"exclude") {
            const UINT exclude =
                RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing");
            set = set && SetClipboardData(exclude, GlobalAlloc(GMEM_MOVEABLE, 1)) != nullptr;
        }
        CloseClipboard();
        return set ? 0 : 1;
    }
    print("{\"error\":\"usage: wvprobe windows|menus|post HWND MSG W L|click HWND ID\"}");
    return 2;
}
