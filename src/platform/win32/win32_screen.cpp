#include "platform/win32/win32_screen.h"

#include "platform/win32/win32_handles.h"

namespace wordvane::win32 {

namespace {

// From shellscalingapi.h, which the system's shcore.dll serves (8.1 and
// later).
constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

int validDpi(UINT dpi) {
    return dpi >= 48 && dpi <= 1440 ? static_cast<int>(dpi) : 0;
}

}  // namespace

int systemDpi() {
    static const auto forSystem = systemFunction<UINT(WINAPI*)()>(L"user32.dll", "GetDpiForSystem");
    if (forSystem != nullptr) {
        if (const int dpi = validDpi(forSystem())) {
            return dpi;
        }
    }
    ScreenDc dc;
    const int dpi = validDpi(static_cast<UINT>(GetDeviceCaps(dc.get(), LOGPIXELSX)));
    return dpi != 0 ? dpi : 96;
}

int dpiOfMonitor(HMONITOR monitor) {
    using ForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto forMonitor = systemFunction<ForMonitor>(L"shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (forMonitor != nullptr && SUCCEEDED(forMonitor(monitor, kEffectiveDpi, &x, &y))) {
        if (const int dpi = validDpi(x)) {
            return dpi;
        }
    }
    return systemDpi();
}

Monitor monitorAt(Point point) {
    const HMONITOR monitor = MonitorFromPoint(POINT{point.x, point.y}, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (monitor == nullptr || !GetMonitorInfoW(monitor, &info)) {
        const Rect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        return Monitor{screen, screen, systemDpi()};
    }
    const auto rect = [](const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; };
    return Monitor{rect(info.rcMonitor), rect(info.rcWork), dpiOfMonitor(monitor)};
}

HFONT createMessageFont(int dpi) {
    using ForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);
    static const auto forDpi = systemFunction<ForDpi>(L"user32.dll", "SystemParametersInfoForDpi");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (forDpi != nullptr &&
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi))) {
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    // Older systems give the font at the system DPI only: scale it.
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, systemDpi());
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace wordvane::win32
