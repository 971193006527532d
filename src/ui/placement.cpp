#include "ui/placement.h"

#include <algorithm>

namespace wordvane::ui {

PixelScale scaleOf(const Window& window, Platform& platform) {
    return window.dpi() != 0 ? PixelScale{window.dpi()} : platform.systemScale();
}

Rect pixelRect(const Window& window, Platform& platform) {
    const PixelScale scale = scaleOf(window, platform);
    return Rect{scale.pixels(window.left()), scale.pixels(window.top()),
                scale.pixels(window.left() + window.width()),
                scale.pixels(window.top() + window.height())};
}

namespace {

Rect inTwips(const Rect& pixels, PixelScale scale) {
    return Rect{scale.twips(pixels.left), scale.twips(pixels.top), scale.twips(pixels.right),
                scale.twips(pixels.bottom)};
}

}  // namespace

Rect takeToMonitorAt(Window& window, Platform& platform, Point anchor) {
    const Monitor monitor = platform.monitorAt(anchor);
    window.setDpi(monitor.dpi);
    return inTwips(monitor.workArea, PixelScale{monitor.dpi});
}

Rect workAreaOf(const Window& window, Platform& platform) {
    const Rect place = pixelRect(window, platform);
    return inTwips(platform.monitorAt(Point{place.left, place.top}).workArea,
                   scaleOf(window, platform));
}

void keepInside(Window& window, const Rect& area) {
    window.setLeft(std::max(area.left, std::min(window.left(), area.right - window.width())));
    window.setTop(std::max(area.top, std::min(window.top(), area.bottom - window.height())));
}

void openDialog(Window& dialog, Platform& platform, Point anchor, Control& first) {
    const Rect area = takeToMonitorAt(dialog, platform, anchor);
    dialog.setLeft(area.left + (area.right - area.left - dialog.width()) / 2);
    dialog.setTop(area.top + (area.bottom - area.top - dialog.height()) / 2);
    keepInside(dialog, area);
    dialog.setVisible(true);
    platform.setForegroundWindow(dialog.handle());
    if (first.kind() == ControlKind::TextBox) {
        // A prefilled text is selected: typing replaces it.
        static_cast<TextBox&>(first).setAllSelected(true);
    }
    first.setFocused(true);
}

}  // namespace wordvane::ui
