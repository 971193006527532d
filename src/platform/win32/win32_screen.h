#pragma once

#include <windows.h>

#include "platform/platform.h"

namespace wordvane::win32 {

// A function of a system library that older systems may not have; null
// when the system lacks it.
template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
    HMODULE module = GetModuleHandleW(library);
    if (module == nullptr) {
        module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
    return module == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The user has switched high contrast on: the program's own colours give way
// to the system's.
bool highContrastOn();

// The primary monitor's DPI (the system DPI of this process).
int systemDpi();

// The monitor that holds `point` or is nearest to it, with its DPI.
Monitor monitorAt(Point point);
int dpiOfMonitor(HMONITOR monitor);

// The system's message font (the one message boxes use) at `dpi`; the
// caller owns it.
HFONT createMessageFont(int dpi);

}  // namespace wordvane::win32
