#include "hotkeys/hotkey_dispatch.h"

#include "app/app.h"
#include "completion/candidate_list.h"
#include "completion/select_word.h"
#include "editing/list_navigation.h"
#include "hotkeys/hotkey_ids.h"
#include "platform/foreground_keeper.h"

namespace wordvane {

namespace {

// Clears the in-handler flag however the handler ends.
class HandlerGuard {
  public:
    explicit HandlerGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~HandlerGuard() { flag_ = false; }
    HandlerGuard(const HandlerGuard&) = delete;
    HandlerGuard& operator=(const HandlerGuard&) = delete;

  private:
    bool& flag_;
};

void showListOfHotkey(App& app, int16_t list) {
    setModeOfHotkey(app, list);
    setWindowPosision(app);
    forcedShowList(app);
}

void decide(App& app) {
    std::u16string spelling = u"decide";
    selectWord(app, spelling);
}

bool dispatchNavigation(App& app, int16_t id, size_t first, size_t last) {
    const auto& ids = app.hotkeys.navigationHotKeyIds;
    for (size_t i = first; i <= last; ++i) {
        if (ids[i] != id) {
            continue;
        }
        switch (i) {
            case kUpHotKey:
                listMoveUp(app);
                break;
            case kDownHotKey:
                listMoveDown(app);
                break;
            case kRollUpHotKey:
                listMoveRollup(app);
                break;
            case kRollDownHotKey:
                listMoveRollDown(app);
                break;
            case kReturnHotKey:
                app.callNotYetBuilt(u"tryShellExecute");
                break;
            case kTabHotKey:
                decide(app);
                break;
            case kHomeHotKey:
                app.callNotYetBuilt(u"setBackMode");
                break;
            case kEndHotKey:
                app.callNotYetBuilt(u"setNextMode");
                break;
            case kInsertHotKey:
                app.callNotYetBuilt(u"SeriesePaste");
                break;
            case kDeleteHotKey:
                app.callNotYetBuilt(u"pushDeleteHotKey");
                break;
            case kShiftDeleteHotKey:
                app.callNotYetBuilt(u"pushShiftDeleteHotKey");
                break;
            case kShiftInsertHotKey:
                app.callNotYetBuilt(u"pushShiftInsertHotKey");
                break;
            default:
                break;
        }
        return true;
    }
    return false;
}

// The main key of the hotkey with `id`; 0 when none has it.
int virtualKeyOfHotKey(App& app, int16_t id) {
    const HotKeyState& state = app.hotkeys;
    for (size_t i = 0; i < kNavigationHotKeys.size(); ++i) {
        if (state.navigationHotKeyIds[i] == id) {
            return kNavigationHotKeys[i].virtualKey;
        }
    }
    for (size_t i = 0; i < state.listHotKeyIds.size(); ++i) {
        if (state.listHotKeyIds[i] == id) {
            return state.hotKeys[i].pushedKey;
        }
    }
    return id == state.popupHotKeyId ? state.popupKeyCode : 0;
}

void dispatch(App& app, int16_t id) {
    if (dispatchNavigation(app, id, kUpHotKey, kTabHotKey)) {
        return;
    }
    for (size_t i = 0; i < app.hotkeys.listHotKeyIds.size(); ++i) {
        if (app.hotkeys.listHotKeyIds[i] == id) {
            showListOfHotkey(app, static_cast<int16_t>(i));
            return;
        }
    }
    // Shift+Delete is compared before Shift+Insert.
    if (dispatchNavigation(app, id, kHomeHotKey, kDeleteHotKey) ||
        dispatchNavigation(app, id, kShiftDeleteHotKey, kShiftDeleteHotKey) ||
        dispatchNavigation(app, id, kShiftInsertHotKey, kShiftInsertHotKey)) {
        return;
    }
    if (id == app.hotkeys.popupHotKeyId) {
        app.callNotYetBuilt(u"doPopup");
    }
}

}  // namespace

void hotKeyWndProc(App& app, int16_t id) {
    if (!app.hotkeys.hooked || app.hotkeys.inHotKey || id == 0) {
        return;
    }
    HandlerGuard guard(app.hotkeys.inHotKey);
    if (const int key = virtualKeyOfHotKey(app, id); key != 0) {
        app.keyReader.suppressUntilReleased(static_cast<int16_t>(key), app.platform.milliseconds());
    }
    dispatch(app, id);
}

void setModeOfHotkey(App& app, int16_t index) {
    ListState& lists = app.lists;
    const auto& hotKeys = app.hotkeys.hotKeys;
    const HotKeySetting& wanted = hotKeys[static_cast<size_t>(index)];
    if (sameCombination(hotKeys[static_cast<size_t>(lists.currentList)], wanted)) {
        return;
    }
    ForegroundKeeper foreground(app.platform);
    // A message for an entry that has since become a duplicate falls back to
    // the lowest enabled entry, which is always entry 0.
    lists.currentList = wanted.enabled ? index : int16_t{0};
    app.forms.form1.setCaption(lists.listNames[static_cast<size_t>(lists.currentList)]);
    setWindowSize(app);
}

}  // namespace wordvane
