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

Insertion::Insertion(Platform& platform, const KeyReader& keys, ui::Timer& restoreTimer)
    : platform_(platform), keys_(keys), restoreTimer_(restoreTimer) {}

// The paste keystroke, taking into account the modifiers the user still holds:
// a held Ctrl is used as it is, a held Shift is released first. The Shift
// tap afterwards ends any IME conversion state the paste left.
// A Shift tap can switch an IME's input mode: none while it is on.
void Insertion::addPaste(std::vector<KeyStroke>& keys) const {
    const bool shiftTap = !platform_.imeOpen();
    if (keys_.ctrlDown()) {
        tap(keys, kVkV);
        if (shiftTap) {
            tap(keys, kVkShift);
        }
        return;
    }
    keys.push_back({kVkControl, false});
    tap(keys, kVkV);
    keys.push_back({kVkControl, true});
    if (!keys_.shiftDown() && shiftTap) {
        tap(keys, kVkShift);
    }
}

bool Insertion::clipInsert(const std::u16string& text, int16_t replaced) {
    if (text.empty()) {
        return false;
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
    if (!platform_.putClipboardText(text)) {
        return false;
    }
    changeCountAfterInsert_ = platform_.clipboardChangeCount();
    insertedText_ = text;
    restoreTimer_.restart();
    // The erasing and the paste go out as one sequence.
    std::vector<KeyStroke> keys;
    if (keys_.shiftDown() && !keys_.ctrlDown()) {
        keys.push_back({kVkShift, true});
    }
    addBackSpaces(keys, replaced);
    addPaste(keys);
    if (platform_.sendKeys(keys) < keys.size()) {
        // The system refused the keys (the application runs elevated):
        // nothing more goes out, and the user's clipboard comes back now.
        restoreClipboard();
        return false;
    }
    platform_.yieldToEvents();
    platform_.setForegroundWindow(target);
    return true;
}

bool Insertion::clipboardStillOurs() {
    return platform_.clipboardChangeCount() == changeCountAfterInsert_ ||
           platform_.clipboardText() == insertedText_;
}

// Everything the user's clipboard held comes back, every format byte for
// byte; an empty clipboard is emptied again. A copy the user made within the
// 300 ms is kept.
void Insertion::restoreClipboard() {
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
