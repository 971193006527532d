#include "platform/win32/win32_platform.h"

#include <imm.h>

#include <commdlg.h>

#include <algorithm>
#include <cwchar>
#include <utility>
#include <vector>

#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_text.h"

namespace wordvane::win32 {

namespace {

HWND hwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
WindowHandle handle(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}

}  // namespace

Win32Platform::Win32Platform(HINSTANCE instance) : instance_(instance) {}

bool Win32Platform::keyDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool Win32Platform::keyActive(int virtualKey) {
    return GetAsyncKeyState(virtualKey) != 0;
}

namespace {

// The raw-input devices the program hears: generic desktop controls.
constexpr USHORT kDesktopControls = 0x01;
constexpr USHORT kMouse = 0x02;
constexpr USHORT kKeyboard = 0x06;

// The device's input reaches `window` even while another program is in
// front; with no window it no longer comes.
bool hearRawInput(USHORT device, HWND window) {
    RAWINPUTDEVICE registration{};
    registration.usUsagePage = kDesktopControls;
    registration.usUsage = device;
    registration.dwFlags = window != nullptr ? RIDEV_INPUTSINK : RIDEV_REMOVE;
    registration.hwndTarget = window;
    return RegisterRawInputDevices(&registration, 1, sizeof(registration)) != FALSE;
}

}  // namespace

// Raw keyboard input: each key movement says that the keys are worth asking
// again.
void Win32Platform::watchKeyboard(HWND window) {
    keyboardWatched_ = hearRawInput(kKeyboard, window);
}

void Win32Platform::rawInput(HRAWINPUT input) {
    RAWINPUT raw{};
    UINT size = sizeof raw;
    if (GetRawInputData(input, RID_INPUT, &raw, &size, sizeof(RAWINPUTHEADER)) ==
        static_cast<UINT>(-1)) {
        return;
    }
    if (raw.header.dwType == RIM_TYPEKEYBOARD) {
        lastKeyboardInput_ = GetTickCount64();
        keyPresses_.rawInput(raw.data.keyboard);
        return;
    }
    constexpr USHORT kButtonsDown =
        RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_RIGHT_BUTTON_DOWN | RI_MOUSE_MIDDLE_BUTTON_DOWN;
    POINT pointer{};
    if (raw.header.dwType == RIM_TYPEMOUSE && mouseWatched_ &&
        (raw.data.mouse.usButtonFlags & kButtonsDown) != 0 && GetCursorPos(&pointer)) {
        mouseClicks_.push_back(handle(GetAncestor(WindowFromPoint(pointer), GA_ROOT)));
    }
}

// Mouse buttons are heard only while the list is shown: every mouse
// movement would wake the program otherwise.
void Win32Platform::watchMouseClicks(bool on) {
    if (on == mouseWatched_ || mainWindow_ == nullptr) {
        return;
    }
    if (hearRawInput(kMouse, on ? mainWindow_ : nullptr)) {
        mouseWatched_ = on;
    }
    mouseClicks_.clear();
}

std::vector<WindowHandle> Win32Platform::takeMouseClicks() {
    return std::exchange(mouseClicks_, {});
}

WindowHandle Win32Platform::focusedControl() {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr ||
        !GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info)) {
        return 0;
    }
    return handle(info.hwndFocus);
}

namespace {

// Whether the keyboard's raw input still comes to `window` from the whole
// desktop: another part of the process registering the keyboard for itself
// takes it away.
bool keyboardStillWatched(HWND window) {
    UINT count = 0;
    if (GetRegisteredRawInputDevices(nullptr, &count, sizeof(RAWINPUTDEVICE)) != 0 || count == 0) {
        return false;
    }
    std::vector<RAWINPUTDEVICE> devices(count);
    if (GetRegisteredRawInputDevices(devices.data(), &count, sizeof(RAWINPUTDEVICE)) ==
        static_cast<UINT>(-1)) {
        return false;
    }
    return std::any_of(devices.begin(), devices.begin() + count, [window](const RAWINPUTDEVICE& d) {
        return d.usUsagePage == kDesktopControls && d.usUsage == kKeyboard &&
               d.hwndTarget == window && (d.dwFlags & RIDEV_INPUTSINK) != 0;
    });
}

}  // namespace

// Once a second the keyboard's registration is looked at: one taken away is
// made again, and while that fails the keys are polled instead, so the
// program never goes deaf. Before the main tick sleeps it is looked at in
// any case: only an event wakes the program then.
bool Win32Platform::recordsKeyPresses() {
    const ULONGLONG now = GetTickCount64();
    if (now - lastWatchCheck_ >= 1000) {
        keepWatchingKeyboard(now);
    }
    return keyboardWatched_;
}

bool Win32Platform::listensForKeys() {
    keepWatchingKeyboard(GetTickCount64());
    return keyboardWatched_;
}

void Win32Platform::keepWatchingKeyboard(ULONGLONG now) {
    if (mainWindow_ == nullptr) {
        return;
    }
    lastWatchCheck_ = now;
    if (!keyboardWatched_ || !keyboardStillWatched(mainWindow_)) {
        watchKeyboard(mainWindow_);
    }
}

// Lock, unlock, resume and desktop switches come as messages, which wake the
// main tick; the registration is looked at again at once.
void Win32Platform::sessionChanged() {
    keyPresses_.forgetHeldKeys();
    keepWatchingKeyboard(GetTickCount64());
}

// For a while after a key moved, the keys are polled every tick: the
// message may come before the key state has caught up (Wine keeps a
// thread's key states for up to 50 ms), or a poll may run between the key
// and its message.
bool Win32Platform::keysMayHaveChanged() {
    constexpr ULONGLONG kSettleMs = 250;
    return !keyboardWatched_ || GetTickCount64() - lastKeyboardInput_ <= kSettleMs;
}

namespace {

// Keys of the navigation block, not of the numeric keypad: the application
// tells them apart by the extended-key flag.
bool isExtendedKey(int virtualKey) {
    switch (virtualKey) {
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_INSERT:
        case VK_DELETE:
            return true;
        default:
            return false;
    }
}

}  // namespace

// One array, one SendInput: a key the user types meanwhile cannot land in
// the middle. Scan codes and the extended-key flag let applications that read
// them (games, remote desktops, some editors) see the keys they expect.
size_t Win32Platform::sendKeys(const std::vector<KeyStroke>& keys) {
    std::vector<INPUT> inputs(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        INPUT& input = inputs[i];
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = static_cast<WORD>(keys[i].virtualKey);
        input.ki.wScan = static_cast<WORD>(scanCode(keys[i].virtualKey));
        input.ki.dwFlags = (keys[i].up ? KEYEVENTF_KEYUP : 0) |
                           (isExtendedKey(keys[i].virtualKey) ? KEYEVENTF_EXTENDEDKEY : 0);
        input.ki.dwExtraInfo = KeyPressRecorder::kOwnKeystroke;
    }
    const size_t sent =
        inputs.empty() ? 0
                       : SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    keyPresses_.ownKeysSent({keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(sent)});
    return sent;
}

// In the foreground window's keyboard layout, the one its thread reads the
// keys with (a remote desktop or virtual machine client sends them on by
// scan code).
int Win32Platform::scanCode(int virtualKey) {
    const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(GetForegroundWindow(), nullptr));
    return static_cast<int>(
        MapVirtualKeyExW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC, layout));
}

bool Win32Platform::registerHotKey(WindowHandle window, int32_t id, int32_t modifiers,
                                   int32_t virtualKey) {
    return RegisterHotKey(hwnd(window), id, static_cast<UINT>(modifiers),
                          static_cast<UINT>(virtualKey)) != FALSE;
}

bool Win32Platform::unregisterHotKey(WindowHandle window, int32_t id) {
    return UnregisterHotKey(hwnd(window), id) != FALSE;
}

std::optional<std::u16string> Win32Platform::layoutCharacter(int virtualKey, bool shift,
                                                             bool altGr) {
    const HWND foreground = GetForegroundWindow();
    const HKL layout = GetKeyboardLayout(GetWindowThreadProcessId(foreground, nullptr));
    if (PRIMARYLANGID(LOWORD(reinterpret_cast<UINT_PTR>(layout))) == LANG_JAPANESE) {
        return std::nullopt;
    }
    BYTE state[256] = {};
    state[VK_SHIFT] = shift ? 0x80 : 0;
    // AltGr is Ctrl+Alt to ToUnicodeEx, on the layouts that have it.
    state[VK_CONTROL] = state[VK_LCONTROL] = altGr ? 0x80 : 0;
    state[VK_MENU] = state[VK_RMENU] = altGr ? 0x80 : 0;
    wchar_t buffer[4] = {};
    // Flag 4: the keyboard's state (a pending dead key) stays as it was.
    const int count =
        ToUnicodeEx(static_cast<UINT>(virtualKey),
                    MapVirtualKeyExW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC, layout), state,
                    buffer, 4, 4, layout);
    if (count != 1 || buffer[0] < L' ') {
        return std::nullopt;  // a dead key, nothing, several characters or a control
    }
    return std::u16string(1, static_cast<char16_t>(buffer[0]));
}

// Asked of the IME's default window; a hung application does not hang us.
namespace {

// The window that has the keyboard: the focused window of the foreground
// window's thread. A UWP or WinUI application's frame (ApplicationFrameWindow)
// belongs to the frame host; its input, and its IME, are the CoreWindow
// child's.
HWND keyboardWindow() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) {
        return nullptr;
    }
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    HWND focus = foreground;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) &&
        info.hwndFocus != nullptr) {
        focus = info.hwndFocus;
    }
    wchar_t className[64] = {};
    if (GetClassNameW(focus, className, 64) > 0 &&
        std::wcscmp(className, L"ApplicationFrameWindow") == 0) {
        if (const HWND core =
                FindWindowExW(focus, nullptr, L"Windows.UI.Core.CoreWindow", nullptr)) {
            return core;
        }
    }
    return focus;
}

}  // namespace

bool Win32Platform::imeOpen() {
    const HWND window = keyboardWindow();
    return imeAnswers_.open(reinterpret_cast<WindowHandle>(window), [window] {
        const HWND ime = ImmGetDefaultIMEWnd(window);
        if (ime == nullptr) {
            return std::optional<bool>(false);
        }
        DWORD_PTR open = 0;
        constexpr WPARAM kGetOpenStatus = 5;  // IMC_GETOPENSTATUS
        if (SendMessageTimeoutW(ime, WM_IME_CONTROL, kGetOpenStatus, 0, SMTO_ABORTIFHUNG, 50,
                                &open) == 0) {
            return std::optional<bool>();
        }
        return std::optional<bool>(open != 0);
    });
}

uint32_t Win32Platform::processOf(WindowHandle window) {
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd(window), &process);
    return process;
}

uint32_t Win32Platform::ownProcess() {
    return GetCurrentProcessId();
}

namespace {

// The integrity level of `process` (the last part of its token's mandatory
// label); none when its token cannot be read.
std::optional<DWORD> integrityLevel(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) {
        return std::nullopt;
    }
    std::optional<DWORD> level;
    DWORD size = 0;
    GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
    std::vector<BYTE> label(size);
    if (size >= sizeof(TOKEN_MANDATORY_LABEL) &&
        GetTokenInformation(token, TokenIntegrityLevel, label.data(), size, &size)) {
        const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(label.data())->Label.Sid;
        const UCHAR parts = *GetSidSubAuthorityCount(sid);
        if (parts > 0) {
            level = *GetSidSubAuthority(sid, parts - 1U);
        }
    }
    CloseHandle(token);
    return level;
}

}  // namespace

// The system keeps a program's keystrokes from a window of a higher
// integrity level (an elevated one). A process whose level cannot be read
// is not taken for higher.
bool Win32Platform::elevatedAboveUs(WindowHandle window) {
    static const std::optional<DWORD> own = integrityLevel(GetCurrentProcess());
    const DWORD id = processOf(window);
    HANDLE process = id == 0 ? nullptr : OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) {
        return false;  // no window, or one we know nothing of
    }
    const std::optional<DWORD> theirs = integrityLevel(process);
    CloseHandle(process);
    return own && theirs && *theirs > *own;
}

WindowHandle Win32Platform::foregroundWindow() {
    return handle(GetForegroundWindow());
}

void Win32Platform::setForegroundWindow(WindowHandle window) {
    SetForegroundWindow(hwnd(window));
}

bool Win32Platform::isWindow(WindowHandle window) {
    return IsWindow(hwnd(window)) != FALSE;
}

void Win32Platform::setTopmost(WindowHandle window, bool topmost) {
    SetWindowPos(hwnd(window), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

std::optional<Rect> Win32Platform::windowRect(WindowHandle window) {
    RECT rect;
    if (!GetWindowRect(hwnd(window), &rect)) {
        return std::nullopt;
    }
    return Rect{rect.left, rect.top, rect.right, rect.bottom};
}

std::u16string Win32Platform::windowClassName(WindowHandle window) {
    return classNameOf(hwnd(window));
}

Point Win32Platform::cursorPosition() {
    POINT point{};
    GetCursorPos(&point);
    return Point{point.x, point.y};
}

PixelScale Win32Platform::systemScale() {
    return PixelScale{systemDpi()};
}

Monitor Win32Platform::monitorAt(Point point) {
    return win32::monitorAt(point);
}

void Win32Platform::setWindowRoundRegion(WindowHandle window, const Rect& box, Size corner,
                                         const Point* tail, int tailPoints) {
    GdiObject<HRGN> region(
        CreateRoundRectRgn(box.left, box.top, box.right, box.bottom, corner.width, corner.height));
    if (tail != nullptr && tailPoints > 2) {
        std::vector<POINT> points;
        for (int i = 0; i < tailPoints; ++i) {
            points.push_back(POINT{tail[i].x, tail[i].y});
        }
        GdiObject<HRGN> tailRegion(CreatePolygonRgn(points.data(), tailPoints, WINDING));
        CombineRgn(region.get(), region.get(), tailRegion.get(), RGN_OR);
    }
    // The window owns the region once SetWindowRgn succeeded.
    if (SetWindowRgn(hwnd(window), region.get(), TRUE)) {
        region.release();
    }
}

void Win32Platform::setWindowOpacity(WindowHandle window, int alpha) {
    const LONG_PTR style = GetWindowLongPtrW(hwnd(window), GWL_EXSTYLE);
    SetWindowLongPtrW(hwnd(window), GWL_EXSTYLE, style | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd(window), 0, static_cast<BYTE>(alpha), LWA_ALPHA);
}

Size Win32Platform::measureText(const std::u16string& text, const std::u16string& fontName,
                                int pointSize, int dpi) {
    ScreenDc dc;
    GdiObject<HFONT> font(CreateFontW(-MulDiv(pointSize, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                      FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                      wide(fontName).c_str()));
    const HGDIOBJ old = SelectObject(dc.get(), font.get());
    SIZE size{};
    const std::wstring wideText = wide(text);
    GetTextExtentPoint32W(dc.get(), wideText.c_str(), static_cast<int>(wideText.size()), &size);
    SelectObject(dc.get(), old);
    return Size{size.cx, size.cy};
}

int Win32Platform::messageBox(const std::u16string& text, const std::u16string& title, int style) {
    return MessageBoxW(nullptr, wide(text).c_str(), wide(title).c_str(),
                       static_cast<UINT>(style) | MB_SETFOREGROUND | MB_TOPMOST);
}

std::optional<std::u16string> Win32Platform::saveFileDialog(const std::u16string& filter,
                                                            int flags) {
    // The filter's text is both the description and the pattern list.
    std::wstring filters = wide(filter);
    std::wstring pattern = filters;
    if (pattern.size() > 2 && pattern.front() == L'(' && pattern.back() == L')') {
        pattern = pattern.substr(1, pattern.size() - 2);
    }
    filters += L'\0';
    filters += pattern;
    filters += L'\0';
    std::vector<wchar_t> file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = mainWindow_;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.Flags = static_cast<DWORD>(flags);
    if (!GetSaveFileNameW(&dialog)) {
        return std::nullopt;
    }
    return utf16(file.data());
}

// Only messages other programs send (WM_RENDERFORMAT as they read the
// clipboard) are answered: PeekMessage with PM_QS_SENDMESSAGE removes no
// posted message, so no timer, hotkey or input of the program runs.
void Win32Platform::awaitOfferedTextTaken(uint64_t until) {
    while (!offeredTaken_ && offeredText_) {
        const uint64_t now = GetTickCount64();
        if (now >= until) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(until - now),
                                  QS_SENDMESSAGE);
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

std::u16string Win32Platform::programPath() {
    std::vector<wchar_t> path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    return utf16(std::wstring(path.data(), length));
}

std::u16string Win32Platform::programFolder() {
    const std::u16string path = programPath();
    return path.substr(0, path.find_last_of(u'\\') + 1);
}

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kRunValue[] = L"Wordvane";

}  // namespace

std::optional<std::u16string> Win32Platform::signInCommand() {
    std::vector<wchar_t> value(32768, L'\0');
    DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, value.data(),
                     &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return utf16(std::wstring(value.data()));
}

bool Win32Platform::setSignInCommand(const std::optional<std::u16string>& command) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LSTATUS status = ERROR_SUCCESS;
    if (command) {
        const std::wstring text = wide(*command);
        status =
            RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    } else {
        status = RegDeleteValueW(key, kRunValue);
        status = status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool Win32Platform::anotherInstanceRunning() {
    instanceMutex_ = UniqueHandle(CreateMutexW(nullptr, FALSE, L"Local\\Wordvane.Running"));
    // A first copy running elevated holds a mutex this one may not open.
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
}

void Win32Platform::blockSessionEnd(const std::u16string& reason) {
    ShutdownBlockReasonCreate(mainWindow_, wide(reason).c_str());
}

void Win32Platform::allowSessionEnd() {
    ShutdownBlockReasonDestroy(mainWindow_);
}

// ExitProcess sends no WM_RENDERALLFORMATS: a text still offered is put
// on the clipboard first, for a paste that has not read it yet.
void Win32Platform::exitProcess() {
    renderAllOffered();
    ExitProcess(0);
}

uint64_t Win32Platform::milliseconds() {
    return GetTickCount64();
}

LocalDateTime Win32Platform::localNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return LocalDateTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace wordvane::win32
