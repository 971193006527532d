#include "hotkeys/hotkey_registration.h"

#include "app/app.h"
#include "lists/decimal_text.h"

namespace wordvane {

namespace {

constexpr char16_t kPopupMenuAtom[] = u"HOTKEY_POPUPMENU";

}  // namespace

void setEnableHotkey(App& app) {
    auto& hotKeys = app.hotkeys.hotKeys;
    for (size_t i = 0; i < hotKeys.size(); ++i) {
        hotKeys[i].enabled = true;
        for (size_t j = 0; j < i; ++j) {
            if (sameCombination(hotKeys[j], hotKeys[i])) {
                hotKeys[i].enabled = false;
                break;
            }
        }
    }
}

void setShowHotKey(App& app) {
    Platform& platform = app.platform;
    HotKeyState& state = app.hotkeys;
    const WindowHandle window = app.forms.form1.handle();
    state.popupHotKeyId = platform.addAtom(kPopupMenuAtom);
    platform.registerHotKey(window, state.popupHotKeyId, state.popupShifts, state.popupKeyCode);
    for (int i = 0; i < 7; ++i) {
        if ((i == 0 && !app.settings.listEnabled[0]) || (i == 1 && !app.settings.listEnabled[1])) {
            continue;
        }
        if (i >= app.lists.loadedListCount) {
            break;
        }
        const HotKeySetting& hotKey = state.hotKeys[static_cast<size_t>(i)];
        if (hotKey.enabled) {
            auto& id = state.listHotKeyIds[static_cast<size_t>(i)];
            id = platform.addAtom(u"HOTKEY_DECIDE" + toDecimal(i));
            platform.registerHotKey(window, id, hotKey.prePushHotKey, hotKey.pushedKey);
        }
    }
}

void deleteShowHotKey(App& app) {
    const WindowHandle window = app.forms.form1.handle();
    for (size_t i = 0; i < 7; ++i) {
        if (app.hotkeys.hotKeys[i].enabled) {
            app.platform.unregisterHotKey(window, app.hotkeys.listHotKeyIds[i]);
            app.platform.deleteAtom(app.hotkeys.listHotKeyIds[i]);
        }
    }
}

void deletePopupHotKey(App& app) {
    app.platform.unregisterHotKey(app.forms.form1.handle(), app.hotkeys.popupHotKeyId);
    app.platform.deleteAtom(app.hotkeys.popupHotKeyId);
}

void setHotKeyNumber(App& app, int16_t index, int32_t prePushHotKey, int16_t pushedKey) {
    HotKeySetting& hotKey = app.hotkeys.hotKeys.at(static_cast<size_t>(index));
    hotKey.prePushHotKey = prePushHotKey;
    hotKey.pushedKey = pushedKey;
}

void changePopupHotkey(App& app, int32_t shifts, int16_t keyCode) {
    HotKeyState& state = app.hotkeys;
    state.popupShifts = shifts;
    state.popupKeyCode = keyCode;
    deletePopupHotKey(app);
    state.popupHotKeyId = app.platform.addAtom(kPopupMenuAtom);
    app.platform.registerHotKey(app.forms.form1.handle(), state.popupHotKeyId, shifts, keyCode);
}

void hookWindow(App& app, WindowHandle /*window*/) {
    app.hotkeys.hooked = true;
}

void unhookWindow(App& app, WindowHandle /*window*/) {
    app.hotkeys.hooked = false;
}

}  // namespace wordvane
