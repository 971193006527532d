#pragma once

namespace wordvane {

class App;

// The twelve keys that drive the shown candidate list (arrows, page keys,
// Return, Tab, Home, End, Insert, Delete, Shift+Insert, Shift+Delete).
void setNavigationHotKey(App& app);
void deleteNavigationHotKey(App& app);

// The one member the launcher releases while it sends its own Delete keys.
void releaseDeleteHotKey(App& app);
void takeDeleteHotKey(App& app);

}  // namespace wordvane
