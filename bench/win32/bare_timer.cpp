// The idle baselines: a hidden window whose 1 ms timer does nothing, and
// with "--no-timer" the floor, a hidden window that waits in GetMessage and
// is never woken. The resident wordvane.exe is measured against both.

#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) {
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"BareTimer";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, L"BareTimer", L"Bare timer", WS_POPUP, 0,
                                        0, 10, 10, nullptr, nullptr, instance, nullptr);
    if (std::wcsstr(commandLine, L"--no-timer") == nullptr) {
        SetTimer(window, 1, 1, nullptr);
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
    }
    return 0;
}
