#include "completion/insertion.h"

#include <algorithm>

namespace wordvane {

namespace {

void tap(std::vector<KeyStroke>& keys, int key) {
    keys.push_back({key, false});
    keys.push_back({key, true});
}

void addBackSpaces(std::vector<KeyStroke>& keys, int16_t count) {
    for (int16_t i = 0; i < count; ++i) {
        tap(keys, kVkLeft);
        tap(keys, kVkDelete);
    }
}

}  // namespace

bool pastesWithShiftInsert(std::u16string_view windowClass) {
    // The terminals whose window class names them, which take Ctrl+V as a
    // control character for the program running in them.
    constexpr std::u16string_view kTerminals[] = {u"mintty", u"PuTTY", u"KiTTY"};
    return std::find(std::begin(kTerminals), std::end(kTerminals), windowClass) !=
           std::end(kTerminals);
}

Insertion::Insertion(Platform& platform, ui::Timer& restoreTimer)
    : platform_(platform), restoreTimer_(restoreTimer) {}

bool Insertion::modifiersHeld() {
    for (int key : {kVkShift, kVkControl, kVkMenu, kVkLeftWin, kVkRightWin}) {
        if (platform_.keyDown(key)) {
            return true;
        }
    }
    return false;
}

// The paste keystroke for the modifiers still held once the wait for them
// is over: a held Ctrl is used as it is, a held Shift is released first. The
// Shift tap afterwards ends any IME conversion state the paste left; never
// while the IME is on (it switches the input mode) or Ctrl is down (Ctrl+Shift
// switches the keyboard layout).
void Insertion::addPaste(std::vector<KeyStroke>& keys, WindowHandle target) {
    if (pastesWithShiftInsert(platform_.windowClassName(target))) {
        if (platform_.keyDown(kVkControl)) {
            keys.push_back({kVkControl, true});
        }
        keys.push_back({kVkShift, false});
        tap(keys, kVkInsert);
        keys.push_back({kVkShift, true});
        return;
    }
    if (platform_.keyDown(kVkControl)) {
        tap(keys, kVkV);
        return;
    }
    keys.push_back({kVkControl, false});
    tap(keys, kVkV);
    keys.push_back({kVkControl, true});
    if (!platform_.keyDown(kVkShift) && !platform_.imeOpen()) {
        tap(keys, kVkShift);
    }
}

constexpr uint64_t kLongestWaitForPasteMs = 3000;

bool Insertion::clipInsert(const std::u16string& text, int16_t replaced) {
    if (text.empty()) {
        return false;
    }
    if (waiting_) {
        sendKeys();  // an earlier insertion's keys go first, for its own text
    }
    // Offered now, this text would take the place of one the application
    // has still to read, and be pasted twice.
    if (!queued_.empty() || pasteUnread()) {
        queued_.push_back({text, replaced});
        return true;
    }
    return start(text, replaced);
}

bool Insertion::start(const std::u16string& text, int16_t replaced) {
    // A second insertion within the 300 ms must not take the first one's
    // text for the user's: the user's text is still the one saved then,
    // unless the user has copied something since.
    if (!restoreTimer_.enabled() || !clipboardStillOurs()) {
        savedClipboard_ = platform_.saveClipboard();
        if (!savedClipboard_) {
            return false;  // the clipboard cannot be opened: nothing is typed
        }
    }
    const WindowHandle target = platform_.foregroundWindow();
    // Offered, not put: the application renders it when it reads it, and
    // the user's clipboard waits for that.
    if (!platform_.offerClipboardText(text)) {
        return false;
    }
    changeCountAfterInsert_ = platform_.clipboardChangeCount();
    // The keys wait until the user has let go of the modifiers (the list
    // hotkey's Ctrl, Alt and Shift): with them still down the paste would
    // reach the application as another shortcut.
    waiting_ = Waiting{replaced, target, platform_.milliseconds()};
    if (modifiersHeld()) {
        return true;
    }
    return sendKeys();
}

void Insertion::tick() {
    constexpr uint64_t kLongestWaitMs = 1000;
    if (waiting_ &&
        (!modifiersHeld() || platform_.milliseconds() - waiting_->since >= kLongestWaitMs)) {
        sendKeys();
    }
    if (!waiting_ && !queued_.empty() && !pasteUnread()) {
        const Queued next = queued_.front();
        queued_.pop_front();
        start(next.text, next.replaced);
    }
}

void Insertion::finish() {
    while (waiting_ || !queued_.empty() || savedClipboard_) {
        if (waiting_) {
            sendKeys();
        }
        if (pasteUnread()) {
            platform_.awaitOfferedTextTaken(keysSentAt_ + kLongestWaitForPasteMs);
        }
        if (!queued_.empty()) {
            const Queued next = queued_.front();
            queued_.pop_front();
            start(next.text, next.replaced);
        } else {
            restoreNow();
        }
    }
}

bool Insertion::takeKeysSent() {
    const bool sent = keysSent_;
    keysSent_ = false;
    return sent;
}

// The erasing and the paste go out as one sequence; the user's clipboard
// comes back 300 ms later.
bool Insertion::sendKeys() {
    const Waiting waiting = *waiting_;
    waiting_.reset();
    restoreTimer_.restart();
    keysSentAt_ = platform_.milliseconds();
    std::vector<KeyStroke> keys;
    if (platform_.keyDown(kVkShift) && !platform_.keyDown(kVkControl)) {
        keys.push_back({kVkShift, true});
    }
    addBackSpaces(keys, waiting.replaced);
    addPaste(keys, waiting.target);
    keysSent_ = true;
    // The keys go to the window the insertion was for, should one of the
    // program's windows have come to the front meanwhile.
    if (waiting.target != 0 && platform_.foregroundWindow() != waiting.target) {
        platform_.setForegroundWindow(waiting.target);
    }
    if (platform_.sendKeys(keys) < keys.size()) {
        // The system refused the keys (the application runs elevated):
        // nothing more goes out, and the user's clipboard comes back now.
        queued_.clear();
        restoreNow();
        return false;
    }
    return true;
}

// Decided by who put the clipboard there, never by its text: a user who
// selects the text just inserted and copies it keeps that copy.
bool Insertion::clipboardStillOurs() {
    return platform_.clipboardChangeCount() == changeCountAfterInsert_ ||
           platform_.clipboardIsProgramsOwn();
}

// Everything the user's clipboard held comes back, every format byte for
// byte; an empty clipboard is emptied again. A copy the user made since is
// kept. The user's clipboard waits until the application has read the text
// (a remote desktop or a busy application reads it late, and would paste
// the user's text instead), at most a few seconds.
void Insertion::restoreClipboard() {
    if (pasteUnread()) {
        return;  // asked again at the timer's next tick
    }
    if (!queued_.empty()) {
        return;  // the next insertion starts at the main tick, on the saved text
    }
    restoreNow();
}

bool Insertion::pasteUnread() {
    return savedClipboard_ && !waiting_ && clipboardStillOurs() && !platform_.offeredTextTaken() &&
           platform_.milliseconds() - keysSentAt_ < kLongestWaitForPasteMs;
}

void Insertion::restoreNow() {
    if (savedClipboard_ && clipboardStillOurs()) {
        giveBackClipboard(platform_, *savedClipboard_);
    }
    savedClipboard_.reset();
    restoreTimer_.setEnabled(false);
}

void Insertion::setBackSpace(int16_t count) {
    std::vector<KeyStroke> keys;
    addBackSpaces(keys, count);
    platform_.sendKeys(keys);
}

void giveBackClipboard(Platform& platform, const ClipboardSnapshot& saved) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (platform.restoreClipboard(saved)) {
            return;
        }
    }
}

bool checkLink(const std::u16string& text) {
    if (text.size() <= 2 || text.find(u"\r\n") != std::u16string::npos) {
        return false;
    }
    const char16_t first = text[0];
    const bool letter = (first >= u'A' && first <= u'Z') || (first >= u'a' && first <= u'z');
    return (letter && text.compare(1, 2, u":\\") == 0) || first == u'\\' ||
           text.rfind(u"http://", 0) == 0;
}

}  // namespace wordvane
