// What a screen reader hears of other programs: a WinEvent hook out of
// context, as screen readers set it. Each selection and focus event of a
// list box item is written to the file named on the command line as
// "selection CHILD" or "focus CHILD", one a line (the child id is the
// line + 1); the file exists, empty, once the hook is set.

#include <windows.h>

#include <string>

namespace {

std::wstring logPath;

void CALLBACK heard(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                    DWORD) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (object != OBJID_CLIENT || _wcsicmp(className, L"ListBox") != 0) {
        return;
    }
    const std::string line =
        std::string(event == EVENT_OBJECT_SELECTION ? "selection " : "focus ") +
        std::to_string(child) + "\n";
    HANDLE file = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    DWORD written = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    logPath = commandLine;
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, heard, 0, 0,
                        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    CloseHandle(CreateFileW(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    UnhookWinEvent(hook);
    return 0;
}
