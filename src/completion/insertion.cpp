#include "completion/insertion.h"

namespace wordvane {

namespace {

void tap(Platform& platform, int key) {
    platform.sendKey(key, false);
    platform.sendKey(key, true);
}

}  // namespace

Insertion::Insertion(Platform& platform, const KeyReader& keys, ui::Timer& restoreTimer)
    : platform_(platform), keys_(keys), restoreTimer_(restoreTimer) {}

// The paste keystroke, taking into account the modifiers the user still holds:
// a held Ctrl is used as it is, a held Shift is released first.
void Insertion::sendPaste(WindowHandle target) {
    if (keys_.ctrlDown()) {
        platform_.setForegroundWindow(target);
        tap(platform_, kVkV);
        tap(platform_, kVkShift);
        platform_.yieldToEvents();
    } else if (keys_.shiftDown()) {
        platform_.setForegroundWindow(target);
        platform_.sendKey(kVkShift, true);
        platform_.yieldToEvents();
        platform_.sendKey(kVkControl, false);
        tap(platform_, kVkV);
        platform_.sendKey(kVkControl, true);
        platform_.yieldToEvents();
    } else {
        platform_.sendKey(kVkControl, false);
        tap(platform_, kVkV);
        platform_.sendKey(kVkControl, true);
        tap(platform_, kVkShift);
        platform_.yieldToEvents();
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
    setBackSpace(replaced);
    sendPaste(target);
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
        for (int attempt = 0; attempt < 3; ++attempt) {
            if (platform_.restoreClipboard(*savedClipboard_)) {
                break;
            }
        }
    }
    savedClipboard_.reset();
    restoreTimer_.setEnabled(false);
}

void Insertion::setBackSpace(int16_t count) {
    for (int16_t i = 0; i < count; ++i) {
        tap(platform_, kVkLeft);
        tap(platform_, kVkDelete);
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
