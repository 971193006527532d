// What a user feels, measured from inside a target application: the list
// hotkey (Ctrl+Alt+Shift+2) until a list window is visible, and Tab until
// the word is in the target's edit box. Run as
//   on_screen_latency.exe measure ROUNDS OUTPUT LIST_CLASS
// it is the target: a window with an edit box that sends the keys itself
// (SendInput) and writes one line per round ("list_ms paste_ms") to OUTPUT.
// Run as
//   on_screen_latency.exe bare
// it is the floor: a program that shows a small window on the same hotkey
// and, on Tab, puts a word on the clipboard and sends Ctrl+V.

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kListHotkey = 1;
constexpr int kTabHotkey = 2;
constexpr int kEscHotkey = 3;
HWND edit = nullptr;
HWND bareList = nullptr;
bool changed = false;

double nowMs() {
    static LARGE_INTEGER frequency{};
    if (frequency.QuadPart == 0) {
        QueryPerformanceFrequency(&frequency);
    }
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void send(std::initializer_list<WORD> down) {
    std::vector<INPUT> inputs;
    for (WORD key : down) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = down.end(); key != down.begin();) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *--key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// A visible top-level window of `windowClass` with a list box (the
// candidate list), or of the bare program's class.
bool listShown(const wchar_t* windowClass) {
    for (HWND window = FindWindowExW(nullptr, nullptr, windowClass, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, windowClass, nullptr)) {
        if (IsWindowVisible(window) &&
            (std::wcscmp(windowClass, L"BareList") == 0 ||
             FindWindowExW(window, nullptr, L"ListBox", nullptr) != nullptr)) {
            return true;
        }
    }
    return false;
}

template <typename Done>
double waitFor(double since, Done done) {
    while (!done()) {
        pump();
        if (nowMs() - since > 5000) {
            return -1;
        }
        Sleep(0);
    }
    return nowMs() - since;
}

void pause(double ms) {
    const double start = nowMs();
    while (nowMs() - start < ms) {
        pump();
        Sleep(1);
    }
}

LRESULT CALLBACK targetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE) {
                changed = true;
            }
            return 0;
        case WM_SETFOCUS:
            SetFocus(edit);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

int measure(int rounds, const wchar_t* output, const wchar_t* listClass) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = targetProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"LatencyTarget";
    RegisterClassW(&windowClass);
    const HWND window =
        CreateWindowExW(0, L"LatencyTarget", L"Latency Target", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                        100, 100, 500, 300, nullptr, nullptr, windowClass.hInstance, nullptr);
    edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 480, 260,
                           window, nullptr, windowClass.hInstance, nullptr);
    SetForegroundWindow(window);
    SetFocus(edit);
    pause(2000);
    FILE* file = _wfopen(output, L"w");
    if (file == nullptr) {
        return 1;
    }
    for (int round = 0; round < rounds; ++round) {
        SetWindowTextW(edit, L"");
        pump();
        changed = false;
        const double list = waitFor((send({VK_CONTROL, VK_MENU, VK_SHIFT, '2'}), nowMs()),
                                    [&] { return listShown(listClass); });
        pause(300);
        const double paste = waitFor((send({VK_TAB}), nowMs()), [] { return changed; });
        std::fprintf(file, "%.3f %.3f\n", list, paste);
        std::fflush(file);
        pause(800);  // the list hidden, the user's clipboard back
    }
    std::fclose(file);
    return 0;
}

// The floor: the least a program can do for the same two keys.
int bare() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"BareList";
    RegisterClassW(&windowClass);
    bareList = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, L"BareList",
                               L"", WS_POPUP | WS_BORDER, 300, 300, 200, 150, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    RegisterHotKey(nullptr, kListHotkey, MOD_CONTROL | MOD_ALT | MOD_SHIFT | MOD_NOREPEAT, '2');
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message != WM_HOTKEY) {
            DispatchMessageW(&message);
            continue;
        }
        if (message.wParam == kListHotkey) {
            ShowWindow(bareList, SW_SHOWNOACTIVATE);
            RegisterHotKey(nullptr, kTabHotkey, 0, VK_TAB);
            RegisterHotKey(nullptr, kEscHotkey, 0, VK_ESCAPE);
        } else if (message.wParam == kTabHotkey || message.wParam == kEscHotkey) {
            ShowWindow(bareList, SW_HIDE);
            UnregisterHotKey(nullptr, kTabHotkey);
            UnregisterHotKey(nullptr, kEscHotkey);
            if (message.wParam == kTabHotkey && OpenClipboard(bareList)) {
                const std::wstring word = L"accommodate";
                EmptyClipboard();
                const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (word.size() + 1) * 2);
                std::wmemcpy(static_cast<wchar_t*>(GlobalLock(memory)), word.c_str(),
                             word.size() + 1);
                GlobalUnlock(memory);
                SetClipboardData(CF_UNICODETEXT, memory);
                CloseClipboard();
                send({VK_CONTROL, 'V'});
            }
        }
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && std::wcscmp(argv[1], L"bare") == 0) {
        return bare();
    }
    if (argc >= 5 && std::wcscmp(argv[1], L"measure") == 0) {
        return measure(_wtoi(argv[2]), argv[3], argv[4]);
    }
    std::fwprintf(stderr, L"on_screen_latency.exe measure ROUNDS OUTPUT LIST_CLASS | bare\n");
    return 2;
}
