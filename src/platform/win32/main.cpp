// wordvane.exe: the resident program on the Windows desktop.

#include <windows.h>

#include "app/app.h"
#include "platform/win32/form_binder.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"

namespace {

// Per-monitor DPI awareness (v2). The manifest asks for it too; a system that
// has already made the process aware, or does not know the call, is fine.
void becomeDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) {
        return;
    }
    const auto set = reinterpret_cast<SetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (set != nullptr) {
        set(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));  // PER_MONITOR_AWARE_V2
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    becomeDpiAware();
    // The program's thread is a single-threaded apartment; it ends after
    // everything else.
    const wordvane::win32::ComApartment apartment;
    wordvane::win32::Win32Platform platform(instance);
    wordvane::App app(platform);
    // The windows end before the program they show: every binding is gone
    // before a model it serves.
    wordvane::win32::FormBinder windows(app.forms, platform, instance);
    if (!app.shell.Form_Load()) {
        return 0;
    }
    return windows.run();
}
