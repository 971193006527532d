#include "hotkeys/navigation_hotkeys.h"

#include "app/app.h"
#include "hotkeys/hotkey_ids.h"

namespace wordvane {

void setNavigationHotKey(App& app) {
    auto& ids = app.hotkeys.navigationHotKeyIds;
    for (size_t i = 0; i < kNavigationHotKeys.size(); ++i) {
        ids[i] = app.platform.addAtom(kNavigationHotKeys[i].atomName);
    }
    for (size_t i = 0; i < kNavigationHotKeys.size(); ++i) {
        app.platform.registerHotKey(app.forms.form1.handle(), ids[i],
                                    kNavigationHotKeys[i].modifiers,
                                    kNavigationHotKeys[i].virtualKey);
    }
}

void deleteNavigationHotKey(App& app) {
    const auto& ids = app.hotkeys.navigationHotKeyIds;
    for (int16_t id : ids) {
        app.platform.unregisterHotKey(app.forms.form1.handle(), id);
    }
    for (int16_t id : ids) {
        app.platform.deleteAtom(id);
    }
}

void releaseDeleteHotKey(App& app) {
    const int16_t id = app.hotkeys.navigationHotKeyIds[kDeleteHotKey];
    app.platform.unregisterHotKey(app.forms.form1.handle(), id);
    app.platform.deleteAtom(id);
}

void takeDeleteHotKey(App& app) {
    const auto& hotKey = kNavigationHotKeys[kDeleteHotKey];
    int16_t& id = app.hotkeys.navigationHotKeyIds[kDeleteHotKey];
    id = app.platform.addAtom(hotKey.atomName);
    app.platform.registerHotKey(app.forms.form1.handle(), id, hotKey.modifiers, hotKey.virtualKey);
}

}  // namespace wordvane
