#include "hotkeys/hotkey_dispatch.h"

#include "platform/foreground_keeper.h"

namespace wordvane {

namespace {

// Sets the in-handler flag and clears it however the handler ends.
class HandlerGuard {
  public:
    explicit HandlerGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~HandlerGuard() { flag_ = false; }
    HandlerGuard(const HandlerGuard&) = delete;
    HandlerGuard& operator=(const HandlerGuard&) = delete;

  private:
    bool& flag_;
};

}  // namespace

HotKeyDispatch::HotKeyDispatch(Platform& platform, const HotKeys& hotkeys, KeyReader& keys,
                               const Lists& lists, Completion& completion,
                               ListNavigation& navigation, Modes& modes, ListCommands& listCommands)
    : platform_(platform),
      hotkeys_(hotkeys),
      keys_(keys),
      lists_(lists),
      completion_(completion),
      navigation_(navigation),
      modes_(modes),
      listCommands_(listCommands) {}

void HotKeyDispatch::showListOfHotkey(int16_t list) {
    setModeOfHotkey(list);
    completion_.setWindowPosision();
    completion_.forcedShowList();
}

bool HotKeyDispatch::dispatchNavigation(int16_t id, NavigationHotKeyIndex first,
                                        NavigationHotKeyIndex last) {
    for (size_t i = first; i <= last; ++i) {
        const auto member = static_cast<NavigationHotKeyIndex>(i);
        if (hotkeys_.navigationId(member) != id) {
            continue;
        }
        switch (member) {
            case kUpHotKey:
                navigation_.listMoveUp();
                break;
            case kDownHotKey:
                navigation_.listMoveDown();
                break;
            case kRollUpHotKey:
                navigation_.listMoveRollup();
                break;
            case kRollDownHotKey:
                navigation_.listMoveRollDown();
                break;
            case kTabHotKey: {
                std::u16string decide = u"decide";
                completion_.selectWord(decide);
                break;
            }
            case kReturnHotKey:
                if (onReturn) {
                    onReturn();
                }
                break;
            case kHomeHotKey:
                modes_.setBackMode();
                break;
            case kEndHotKey:
                modes_.setNextMode();
                break;
            case kDeleteHotKey:
                listCommands_.pushDeleteHotKey();
                break;
            case kShiftDeleteHotKey:
                listCommands_.pushShiftDeleteHotKey();
                break;
            case kInsertHotKey:
                if (onInsert) {
                    onInsert();
                }
                break;
            case kShiftInsertHotKey:
                if (onShiftInsert) {
                    onShiftInsert();
                }
                break;
            case kFindHotKey:
                completion_.openSearchBox();
                break;
            default:
                break;
        }
        return true;
    }
    return false;
}

void HotKeyDispatch::dispatch(int16_t id) {
    if (dispatchNavigation(id, kUpHotKey, kTabHotKey)) {
        return;
    }
    for (size_t i = 0; i < 7; ++i) {
        if (hotkeys_.listId(i) == id) {
            showListOfHotkey(static_cast<int16_t>(i));
            return;
        }
    }
    // Shift+Delete is compared before Shift+Insert.
    if (dispatchNavigation(id, kHomeHotKey, kDeleteHotKey) ||
        dispatchNavigation(id, kShiftDeleteHotKey, kShiftDeleteHotKey) ||
        dispatchNavigation(id, kShiftInsertHotKey, kShiftInsertHotKey) ||
        dispatchNavigation(id, kFindHotKey, kFindHotKey)) {
        return;
    }
    if (id == hotkeys_.popupId() && onPopupMenu) {
        onPopupMenu();
    }
}

void HotKeyDispatch::hotKeyWndProc(int16_t id) {
    if (!hotkeys_.hooked() || inHotKey_ || id == 0) {
        return;
    }
    HandlerGuard guard(inHotKey_);
    if (const int key = hotkeys_.virtualKeyOf(id); key != 0) {
        keys_.suppressUntilReleased(static_cast<int16_t>(key), platform_.milliseconds());
    }
    dispatch(id);
}

bool HotKeyDispatch::navigationKey(int virtualKey, int32_t modifiers) {
    if (!completion_.listShown()) {
        return false;  // as the hotkeys, which are registered only then
    }
    for (size_t i = 0; i < kNavigationHotKeys.size(); ++i) {
        if (kNavigationHotKeys[i].virtualKey == virtualKey &&
            kNavigationHotKeys[i].modifiers == modifiers) {
            hotKeyWndProc(hotkeys_.navigationId(static_cast<NavigationHotKeyIndex>(i)));
            return true;
        }
    }
    return false;
}

void HotKeyDispatch::setModeOfHotkey(int16_t index) {
    const auto& hotKeys = hotkeys_.hotKeys();
    const HotKeySetting& wanted = hotKeys[static_cast<size_t>(index)];
    if (sameCombination(hotKeys[static_cast<size_t>(completion_.currentList())], wanted)) {
        return;
    }
    ForegroundKeeper foreground(platform_);
    // A message for an entry that has since become a duplicate falls back to
    // the lowest enabled entry, which is always entry 0.
    const int16_t list = wanted.enabled ? index : int16_t{0};
    completion_.switchList(list, lists_.listNames[static_cast<size_t>(list)]);
}

}  // namespace wordvane
