#pragma once

#include <cstdint>

namespace wordvane {

class App;

inline constexpr int kTrayLeftButtonUp = 514;
inline constexpr int kTrayRightButtonUp = 517;

void addTrayIcon(App& app);
// Harmless when no icon was added, or twice.
void removeTrayIcon(App& app);

// Form1's mouse-move handler, which also receives the tray icon's callback:
// the mouse message number arrives as X in twips.
void Form_MouseMove(App& app, int button, int shift, int32_t x, int32_t y);
// The tray icon's callback with its mouse message number.
void onTrayIconMessage(App& app, int mouseMessage);

}  // namespace wordvane
