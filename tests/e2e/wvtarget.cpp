// The tests' target application: a window with one edit box that writes its
// whole text (UTF-8) to the file named on the command line on every change.
// Named "slow" (slow.txt), it reads the clipboard two seconds after each
// Ctrl+V, as a remote desktop or a busy application does. Named "mintty", its
// window class is a terminal's, and it pastes on Shift+Insert only.

#include <windows.h>

#include <string>

namespace {

std::wstring outputPath;
HWND edit = nullptr;

void writeText() {
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), length + 1)));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), bytes,
                        nullptr, nullptr);
    const std::wstring temporary = outputPath + L".tmp";
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
    CloseHandle(file);
    MoveFileExW(temporary.c_str(), outputPath.c_str(), MOVEFILE_REPLACE_EXISTING);
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            edit = CreateWindowExW(
                WS_EX_CLIENTEDGE, L"EDIT", L"",
                WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, 0, 0, 400, 300,
                window, reinterpret_cast<HMENU>(1), nullptr, nullptr);
            return 0;
        case WM_SIZE:
            MoveWindow(edit, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            SetFocus(edit);
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE) {
                writeText();
            }
            return 0;
        case WM_TIMER:
            KillTimer(window, wParam);  // one paste for each Ctrl+V
            SendMessageW(edit, WM_PASTE, 0, 0);
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
    outputPath = commandLine;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    // "Wordvane Target" for target.txt, "Wordvane NAME" for NAME.txt.
    std::wstring stem = outputPath.substr(outputPath.find_last_of(L"\\/") + 1);
    stem = stem.substr(0, stem.rfind(L'.'));
    const bool terminal = stem == L"mintty";
    windowClass.lpszClassName = terminal ? L"mintty" : L"WordvaneTarget";
    RegisterClassW(&windowClass);
    const std::wstring title = stem == L"target" ? L"Wordvane Target" : L"Wordvane " + stem;
    // A second target stands beside the first, so that a click can reach it.
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW,
                                  stem == L"target" ? 100 : 650, 100, 500, 350, nullptr, nullptr,
                                  instance, nullptr);
    ShowWindow(window, SW_SHOW);
    writeText();
    const bool slow = stem == L"slow";
    UINT_PTR nextPaste = 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        const bool ctrlV = (message.message == WM_KEYDOWN || message.message == WM_CHAR) &&
                           (message.wParam == 'V' || message.wParam == 0x16) &&
                           GetKeyState(VK_CONTROL) < 0;
        if (slow && ctrlV && message.message == WM_KEYDOWN) {
            SetTimer(window, nextPaste++, 2000, nullptr);
            continue;
        }
        if (terminal && ctrlV) {
            continue;  // Ctrl+V is the running program's; the edit box would paste
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
