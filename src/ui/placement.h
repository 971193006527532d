#pragma once

#include "platform/platform.h"
#include "ui/controls.h"

namespace wordvane::ui {

// The scale a window's twips are shown with: the DPI of the monitor it was
// placed on, or the primary monitor's.
PixelScale scaleOf(const Window& window, Platform& platform);

// The window's place and size in screen pixels.
Rect pixelRect(const Window& window, Platform& platform);

// Takes `window` to the monitor that holds `anchor` (screen pixels): the
// window is shown at that monitor's DPI from now on. Returns the monitor's
// work area in twips at that DPI.
Rect takeToMonitorAt(Window& window, Platform& platform, Point anchor);

// The work area of the monitor that holds the window's top left corner, in
// twips at the window's scale.
Rect workAreaOf(const Window& window, Platform& platform);

// Moves `window` the least so that it lies inside `area` (twips); a window
// larger than the area keeps its left and top edges on the area's.
void keepInside(Window& window, const Rect& area);

// Opens a dialog where the user is looking: centred in the work area of the
// monitor that holds `anchor` (the caret's or the pointer's place), in
// front, with the keyboard in `first`.
void openDialog(Window& dialog, Platform& platform, Point anchor, Control& first);

}  // namespace wordvane::ui
