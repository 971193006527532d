// A clipboard owner that renders late, as a spreadsheet or a word processor
// does: it offers text, HTML, RTF, a DIB, a format of its own and an OLE
// stream, all with delayed rendering, and writes the name of each format a
// program asks it to render to the file named on the command line.

#include <windows.h>

#include <string>

namespace {

std::wstring logPath;

struct Offered {
    const wchar_t* name;  // a registered format's name, or null
    UINT format;
};

Offered offered[] = {
    {nullptr, CF_UNICODETEXT},      {L"HTML Format", 0},
    {L"Rich Text Format", 0},       {nullptr, CF_DIB},
    {L"Wordvane Owner Private", 0}, {L"Embed Source", 0},
};

std::wstring nameOf(UINT format) {
    for (const Offered& entry : offered) {
        if (entry.format == format) {
            return entry.name != nullptr ? entry.name
                                         : (format == CF_DIB ? L"CF_DIB" : L"CF_UNICODETEXT");
        }
    }
    return L"?" + std::to_wstring(format);
}

void logAsked(UINT format) {
    HANDLE file = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::wstring line = nameOf(format) + L"\n";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    DWORD written = 0;
    WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(file);
}

void render(UINT format) {
    logAsked(format);
    const char data[] = "owner data";
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof data * 2);
    if (memory == nullptr) {
        return;
    }
    void* bytes = GlobalLock(memory);
    if (format == CF_UNICODETEXT) {
        lstrcpyW(static_cast<wchar_t*>(bytes), L"owner");
    } else {
        lstrcpyA(static_cast<char*>(bytes), data);
    }
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_RENDERFORMAT:
            render(static_cast<UINT>(wParam));
            return 0;
        case WM_RENDERALLFORMATS:
        case WM_DESTROYCLIPBOARD:
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    logPath = commandLine;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"WordvaneOwner";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"WordvaneOwner", L"Wordvane Owner", 0, 0, 0, 0, 0,
                                  HWND_MESSAGE, nullptr, instance, nullptr);
    for (Offered& entry : offered) {
        if (entry.name != nullptr) {
            entry.format = RegisterClipboardFormatW(entry.name);
        }
    }
    if (OpenClipboard(window)) {
        EmptyClipboard();
        for (const Offered& entry : offered) {
            SetClipboardData(entry.format, nullptr);
        }
        CloseClipboard();
    }
    // Ready: the log exists, empty.
    CloseHandle(CreateFileW(logPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
