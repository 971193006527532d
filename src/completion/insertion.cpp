#include "completion/insertion.h"

#include "app/app.h"
#include "completion/key_reader.h"

namespace wordvane {

namespace {

void tap(Platform& platform, int key) {
    platform.sendKey(key, false);
    platform.sendKey(key, true);
}

// The paste keystroke, taking into account the modifiers the user still holds:
// a held Ctrl is used as it is, a held Shift is released first.
void sendPaste(App& app, WindowHandle target) {
    Platform& platform = app.platform;
    if (app.keyReader.ctrlDown()) {
        platform.setForegroundWindow(target);
        tap(platform, kVkV);
        tap(platform, kVkShift);
        platform.yieldToEvents();
    } else if (app.keyReader.shiftDown()) {
        platform.setForegroundWindow(target);
        platform.sendKey(kVkShift, true);
        platform.yieldToEvents();
        platform.sendKey(kVkControl, false);
        tap(platform, kVkV);
        platform.sendKey(kVkControl, true);
        platform.yieldToEvents();
    } else {
        platform.sendKey(kVkControl, false);
        tap(platform, kVkV);
        platform.sendKey(kVkControl, true);
        tap(platform, kVkShift);
        platform.yieldToEvents();
    }
}

}  // namespace

void clipInsert(App& app, const std::u16string& text) {
    if (text.empty()) {
        return;
    }
    Platform& platform = app.platform;
    const std::u16string saved = platform.clipboardText().value_or(u"");
    const WindowHandle target = platform.foregroundWindow();
    platform.putClipboardText(text);
    app.insertion.changeCountAfterInsert = platform.clipboardChangeCount();
    app.insertion.insertedText = text;
    sendPaste(app, target);
    app.insertion.savedClipboardText = saved;
    app.forms.form2.Timer1.setEnabled(true);
    platform.setForegroundWindow(target);
}

void restoreClipboard(App& app) {
    Platform& platform = app.platform;
    // A text the user copied within the 300 ms is kept.
    const bool untouched =
        platform.clipboardChangeCount() == app.insertion.changeCountAfterInsert ||
        platform.clipboardText() == app.insertion.insertedText;
    if (untouched) {
        setClip(app, app.insertion.savedClipboardText);
    }
    app.forms.form2.Timer1.setEnabled(false);
}

void setBackSpace(App& app, int16_t count) {
    for (int16_t i = 0; i < count; ++i) {
        tap(app.platform, kVkLeft);
        tap(app.platform, kVkDelete);
    }
}

void setClip(App& app, const std::u16string& text) {
    if (text.empty()) {
        return;
    }
    for (int attempt = 0; attempt < 11; ++attempt) {
        app.platform.putClipboardText(text);
        if (app.platform.clipboardText() == text) {
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
