// Where the caret of the foreground application is. Every source is asked
// with a bound on its time: a hung application is never waited for.

#include <windows.h>

#include "platform/win32/caret_worker.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_text.h"

namespace wordvane::win32 {

namespace {

// The caret's rectangle is in its window's own units, which are not
// pixels for a window that the system stretches to the monitor's DPI (one
// not aware of each monitor's DPI). The client area's size in the window's
// own units and in pixels gives the scale; the client area's corner in
// pixels places it.
Rect clientToScreenPixels(HWND window, const RECT& client) {
    using AwarenessOf = HANDLE(WINAPI*)(HWND);
    using SetAwareness = HANDLE(WINAPI*)(HANDLE);
    static const auto awarenessOf =
        systemFunction<AwarenessOf>(L"user32.dll", "GetWindowDpiAwarenessContext");
    static const auto setAwareness =
        systemFunction<SetAwareness>(L"user32.dll", "SetThreadDpiAwarenessContext");
    RECT pixels{};
    GetClientRect(window, &pixels);
    RECT own = pixels;
    const HANDLE windowAwareness = awarenessOf != nullptr ? awarenessOf(window) : nullptr;
    if (windowAwareness != nullptr && setAwareness != nullptr) {
        if (const HANDLE ours = setAwareness(windowAwareness)) {
            GetClientRect(window, &own);
            setAwareness(ours);
        }
    }
    const auto scale = [](LONG value, LONG to, LONG from) {
        return from > 0 && to > 0 ? MulDiv(value, to, from) : value;
    };
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    return Rect{corner.x + scale(client.left, pixels.right, own.right),
                corner.y + scale(client.top, pixels.bottom, own.bottom),
                corner.x + scale(client.right, pixels.right, own.right),
                corner.y + scale(client.bottom, pixels.bottom, own.bottom)};
}

std::optional<Caret> threadCaret(const GUITHREADINFO& info) {
    if (info.hwndCaret == nullptr || (info.rcCaret.left == 0 && info.rcCaret.top == 0)) {
        return std::nullopt;
    }
    const Rect rect = clientToScreenPixels(info.hwndCaret, info.rcCaret);
    return Caret{
        {rect.left, rect.top}, classNameOf(info.hwndCaret), std::max(0, rect.bottom - rect.top)};
}

}  // namespace

std::optional<Caret> Win32Platform::caret(CaretSource source, uint64_t answerBy) {
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) {
        return std::nullopt;
    }
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(foreground, &process);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const bool threadInfo = GetGUIThreadInfo(thread, &info) != FALSE;
    if (source == CaretSource::ThreadInfo) {
        return threadInfo ? threadCaret(info) : std::nullopt;
    }
    // Our own windows would have to answer while we wait.
    const uint64_t now = milliseconds();
    if (process == GetCurrentProcessId() || now >= answerBy) {
        return std::nullopt;
    }
    const HWND focus = threadInfo && info.hwndFocus != nullptr ? info.hwndFocus : foreground;
    const auto rect =
        CaretWorker::instance().ask(source, focus, static_cast<DWORD>(answerBy - now));
    if (!rect) {
        return std::nullopt;
    }
    return Caret{{rect->left, rect->top}, classNameOf(focus), rect->bottom - rect->top};
}

}  // namespace wordvane::win32
