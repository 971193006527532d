#include "completion/modes.h"

#include "platform/virtual_keys.h"
#include "ui/placement.h"

namespace wordvane {

namespace {

constexpr char16_t kCaptionSuffix[] = u" - Wordvane ";

// The balloon's outline in pixels: a rounded body and a tail pointing down
// and left, towards the list below.
constexpr Rect kBalloonBody{5, 5, 155, 40};
constexpr Point kBalloonTail[] = {{20, 30}, {10, 50}, {65, 30}};

}  // namespace

Modes::Modes(Platform& platform, ui::Form1& form1, ui::Form7& balloon, const Lists& lists,
             HotKeys& hotkeys, Completion& completion, Insertion& insertion, const KeyReader& keys)
    : platform_(platform),
      form1_(form1),
      balloon_(balloon),
      lists_(lists),
      hotkeys_(hotkeys),
      completion_(completion),
      insertion_(insertion),
      keys_(keys) {}

// The outline is drawn for 96 dpi and scaled with the window, whose size is
// in twips.
void Modes::loadBalloon() {
    const int dpi = ui::scaleOf(balloon_, platform_).dpi;
    const auto px = [&](int32_t v) { return v * dpi / 96; };
    const Rect body{px(kBalloonBody.left), px(kBalloonBody.top), px(kBalloonBody.right),
                    px(kBalloonBody.bottom)};
    Point tail[3];
    for (size_t i = 0; i < 3; ++i) {
        tail[i] = Point{px(kBalloonTail[i].x), px(kBalloonTail[i].y)};
    }
    platform_.setWindowRoundRegion(balloon_.handle(), body, Size{px(30), px(20)}, tail, 3);
}

bool Modes::selectable(int list) const {
    if (!lists_.loaded(list)) {
        return false;
    }
    return list > kClipboardList || lists_.settings.listEnabled[static_cast<size_t>(list)];
}

// The neighbouring mode among the selectable lists, wrapping around; the
// current mode when it is the only one.
int16_t Modes::neighbourMode(Direction direction) const {
    const int count = kListCount;
    const int step = direction == Direction::Next ? 1 : count - 1;
    const int current = completion_.currentList();
    for (int list = (current + step) % count; list != current; list = (list + step) % count) {
        if (selectable(list)) {
            return static_cast<int16_t>(list);
        }
    }
    return static_cast<int16_t>(current);
}

void Modes::checkMode(int16_t list) {
    for (size_t i = 0; i < form1_.mnuModeMenu.mnuMode.size(); ++i) {
        form1_.mnuModeMenu.mnuMode[i].setChecked(static_cast<int>(i) == list);
    }
}

void Modes::changeMode(Direction direction) {
    completion_.form_visible(false);
    const int16_t current = completion_.currentList();
    if (lists_.settings.showStartChar && !lists_.startChar(current).empty() &&
        completion_.openWord() == -1 && completion_.typedText().empty()) {
        // The list hotkey typed the start character: take it back.
        insertion_.setBackSpace(1);
    }
    const int16_t next = neighbourMode(direction);
    const std::u16string& name = lists_.listNames[static_cast<size_t>(next)];
    completion_.switchList(next, name + kCaptionSuffix);
    if (current == kLauncherList && next != kLauncherList) {
        completion_.closeLauncherBox();
        balloon_.setVisible(false);
    } else if (next == kLauncherList && current != kLauncherList) {
        completion_.openLauncherBox();
    }
    balloon_.Label1.setCaption(name);
    placeBalloon();
    if (lists_.settings.balloonTime != 0) {
        balloon_.setVisible(true);
        balloonTicks_ = lists_.settings.balloonTime;
    }
    checkMode(next);
    completion_.requestReshow();
}

// Just above the list, at the list's DPI (the outline is cut anew when that
// changed), inside the list's monitor.
void Modes::placeBalloon() {
    const int dpi = ui::scaleOf(form1_, platform_).dpi;
    if (dpi != ui::scaleOf(balloon_, platform_).dpi) {
        balloon_.setDpi(dpi);
        loadBalloon();
    }
    balloon_.setTop(form1_.top() - 780);
    balloon_.setLeft(form1_.left() + 400);
    ui::keepInside(balloon_, ui::workAreaOf(form1_, platform_));
}

void Modes::setBackMode() {
    changeMode(Direction::Back);
}

void Modes::setNextMode() {
    changeMode(Direction::Next);
}

void Modes::mnuMode_Click(int16_t index) {
    auto& menu = form1_.mnuModeMenu;
    if (menu.mnuOff.checked()) {
        menu.mnuOff.setChecked(false);
        hotkeys_.setShowHotKey();
    }
    checkMode(index);
    completion_.switchList(index, lists_.listNames[static_cast<size_t>(index)] + kCaptionSuffix);
}

void Modes::mnuOff_Click() {
    auto& menu = form1_.mnuModeMenu;
    completion_.endCycle();
    if (menu.mnuOff.checked()) {
        menu.mnuOff.setChecked(false);
        checkMode(completion_.currentList());
        hotkeys_.setShowHotKey();
    } else {
        menu.mnuOff.setChecked(true);
        checkMode(-1);
        hotkeys_.deleteShowHotKey();
    }
}

void Modes::countDownBalloon() {
    if (balloonTicks_ != 0 && --balloonTicks_ == 0) {
        balloon_.setVisible(false);
    }
}

// A press counts only when no other key went down since the previous one:
// Ctrl+C followed by Ctrl+V is no double Ctrl.
bool Modes::doubleControll() {
    const bool ctrlDown = keys_.ctrlDown();
    // The poll after the selection keys sees them go down: they are ours.
    if (keys_.keyWentDown() && !ownKeysSent_) {
        ctrlWaitCount_ = 0;
        ctrlArmed_ = false;
        doubleCtrlSelecting_ = false;
        selectionPending_ = false;
    }
    ownKeysSent_ = false;
    if (ctrlArmed_ && ++ctrlWaitCount_ > lists_.settings.doubleCtrlWait) {
        ctrlWaitCount_ = 0;
        ctrlArmed_ = false;
        doubleCtrlSelecting_ = false;
    }
    if (ctrlDown == lastCtrlDown_ || !ctrlDown) {
        lastCtrlDown_ = ctrlDown;
        return false;
    }
    lastCtrlDown_ = true;
    const bool second = ctrlArmed_;
    ctrlArmed_ = true;
    ctrlWaitCount_ = 0;
    return second;
}

// The keys go out once the user's Ctrl is up, so that they are not read as
// Ctrl+Left and Ctrl+Shift+Right.
void Modes::doubleCtrlTick() {
    if (lists_.settings.doubleCtrlWait <= 0) {
        return;
    }
    if (doubleControll()) {
        selectionPending_ = true;
    }
    if (selectionPending_ && !keys_.ctrlDown()) {
        selectionPending_ = false;
        sendSelectionKeys();
    }
}

void Modes::sendSelectionKeys() {
    std::vector<KeyStroke> keys;
    if (!doubleCtrlSelecting_) {
        keys = {{kVkLeft, false}, {kVkLeft, true}};
    }
    keys.insert(keys.end(),
                {{kVkShift, false}, {kVkRight, false}, {kVkRight, true}, {kVkShift, true}});
    platform_.sendKeys(keys);
    doubleCtrlSelecting_ = true;
    ownKeysSent_ = true;
}

}  // namespace wordvane
