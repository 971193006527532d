#include "completion/insertion.h"

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
void Insertion::addPaste(std::vector<KeyStroke>& keys) {
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

bool Insertion::clipInsert(const std::u16string& text, int16_t replaced) {
    if (text.empty()) {
        return false;
    }
    if (waiting_) {
        sendKeys();  // an earlier insertion's keys go first, for its own text
    }
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
    addPaste(keys);
    keysSent_ = true;
    if (platform_.sendKeys(keys) < keys.size()) {
        // The system refused the keys (the application runs elevated):
        // nothing more goes out, and the user's clipboard comes back now.
        restoreNow();
        return false;
    }
    platform_.yieldToEvents();
    platform_.setForegroundWindow(waiting.target);
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
    constexpr uint64_t kLongestWaitForPasteMs = 3000;
    if (savedClipboard_ && clipboardStillOurs() && !platform_.offeredTextTaken() &&
        platform_.milliseconds() - keysSentAt_ < kLongestWaitForPasteMs) {
        return;  // asked again at the timer's next tick
    }
    restoreNow();
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
