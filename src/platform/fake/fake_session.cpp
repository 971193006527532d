#include "platform/fake/fake_session.h"

#include "completion/key_reader.h"
#include "hotkeys/hotkey_dispatch.h"
#include "hotkeys/hotkey_ids.h"

namespace wordvane {

namespace {

constexpr uint64_t kTickMilliseconds = 10;

struct NamedKey {
    const char16_t* name;
    int virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {u"backspace", kVkBack}, {u"tab", kVkTab},       {u"return", kVkReturn}, {u"enter", kVkReturn},
    {u"esc", kVkEscape},     {u"escape", kVkEscape}, {u"space", 32},         {u"pageup", kVkPrior},
    {u"pagedown", kVkNext},  {u"end", kVkEnd},       {u"home", kVkHome},     {u"left", kVkLeft},
    {u"up", kVkUp},          {u"right", kVkRight},   {u"down", kVkDown},     {u"insert", kVkInsert},
    {u"delete", kVkDelete},
};

}  // namespace

FakeSession::FakeSession(FakePlatform& platform, App& app) : platform_(platform), app_(app) {}

std::optional<std::pair<int, bool>> FakeSession::keyFor(char16_t c) {
    if (c >= u'a' && c <= u'z') {
        return std::pair{65 + (c - u'a'), false};
    }
    if (c >= u'A' && c <= u'Z') {
        return std::pair{65 + (c - u'A'), true};
    }
    KeyReader reader;
    for (int16_t code : KeyReader::polledCodes()) {
        if (code >= 96 && code <= 105) {
            continue;  // the number row comes first
        }
        for (bool shift : {false, true}) {
            const std::u16string spelling = reader.getString(code, shift);
            if (spelling.size() == 1 && spelling[0] == c) {
                return std::pair{static_cast<int>(code), shift};
            }
        }
    }
    return std::nullopt;
}

int FakeSession::virtualKeyNamed(const std::u16string& name) {
    std::u16string lower = name;
    for (char16_t& c : lower) {
        if (c >= u'A' && c <= u'Z') {
            c = static_cast<char16_t>(c + (u'a' - u'A'));
        }
    }
    for (const auto& key : kNamedKeys) {
        if (lower == key.name) {
            return key.virtualKey;
        }
    }
    if (name.size() == 1) {
        if (const auto key = keyFor(name[0])) {
            return key->first;
        }
    }
    return 0;
}

void FakeSession::tick(int count) {
    for (int i = 0; i < count; ++i) {
        platform_.now += kTickMilliseconds;
        app_.forms.form1.Timer1.fire();
        receiveSyntheticKeys();
        ui::Timer& restore = app_.forms.form2.Timer1;
        if (!restore.enabled()) {
            restoreArmedAt_.reset();
        } else if (!restoreArmedAt_) {
            restoreArmedAt_ = platform_.now;
        } else if (platform_.now - *restoreArmedAt_ >= 300) {
            restore.fire();
            restoreArmedAt_.reset();
        }
    }
}

std::optional<int16_t> FakeSession::hotKeyIdFor(int virtualKey, int32_t modifiers) const {
    for (const auto& [id, hotKey] : platform_.registeredHotKeys) {
        if (hotKey.virtualKey == virtualKey && hotKey.modifiers == modifiers) {
            return static_cast<int16_t>(id);
        }
    }
    return std::nullopt;
}

void FakeSession::press(int virtualKey, bool shift, bool ctrl) {
    const int32_t modifiers = (shift ? kModShift : 0) | (ctrl ? kModControl : 0);
    if (shift) {
        platform_.keysDown.insert(kVkShift);
    }
    if (ctrl) {
        platform_.keysDown.insert(kVkControl);
    }
    platform_.keysDown.insert(virtualKey);
    platform_.keysPressed.insert(virtualKey);
    if (const auto id = hotKeyIdFor(virtualKey, modifiers)) {
        hotKeyWndProc(app_, *id);
        receiveSyntheticKeys();
    } else {
        receiveUserKey(virtualKey, shift, ctrl);
    }
    tick();
    platform_.keysDown.erase(virtualKey);
    platform_.keysDown.erase(kVkShift);
    platform_.keysDown.erase(kVkControl);
    tick();
}

void FakeSession::type(const std::u16string& text) {
    for (char16_t c : text) {
        if (const auto key = keyFor(c)) {
            press(key->first, key->second);
        } else {
            insert(std::u16string(1, c));
            tick();
        }
    }
}

bool FakeSession::hotkey(const std::u16string& name) {
    const int virtualKey = virtualKeyNamed(name);
    for (size_t i = 0; i < kNavigationHotKeys.size(); ++i) {
        if (kNavigationHotKeys[i].virtualKey == virtualKey &&
            kNavigationHotKeys[i].modifiers == 0) {
            hotKeyWndProc(app_, app_.hotkeys.navigationHotKeyIds[i]);
            receiveSyntheticKeys();
            return true;
        }
    }
    return false;
}

bool FakeSession::listHotkey(int list) {
    if (list < 0 || list >= 7) {
        return false;
    }
    hotKeyWndProc(app_, app_.hotkeys.listHotKeyIds[static_cast<size_t>(list)]);
    receiveSyntheticKeys();
    return true;
}

void FakeSession::copy(const std::u16string& text) {
    platform_.clipboard = text;
    ++platform_.clipboardChanges;
}

void FakeSession::insert(const std::u16string& text) {
    text_.insert(caret_, text);
    caret_ += text.size();
}

void FakeSession::receiveUserKey(int virtualKey, bool shift, bool ctrl) {
    if (ctrl) {
        if (virtualKey == kVkV && platform_.clipboard) {
            insert(*platform_.clipboard);
        }
        return;
    }
    switch (virtualKey) {
        case kVkBack:
            if (caret_ > 0) {
                text_.erase(--caret_, 1);
            }
            return;
        case kVkDelete:
            if (caret_ < text_.size()) {
                text_.erase(caret_, 1);
            }
            return;
        case kVkLeft:
            caret_ = caret_ > 0 ? caret_ - 1 : 0;
            return;
        case kVkRight:
            caret_ = std::min(caret_ + 1, text_.size());
            return;
        case kVkReturn:
            insert(u"\r\n");
            return;
        case kVkTab:
            insert(u"\t");
            return;
        default:
            break;
    }
    // Keys that type a character: space, the number row, letters, the keypad
    // digits and the punctuation keys.
    const bool typing = virtualKey == 32 || (virtualKey >= 48 && virtualKey <= 90) ||
                        (!shift && virtualKey >= 96 && virtualKey <= 105) || virtualKey >= 186;
    const std::u16string spelling =
        app_.keyReader.getString(static_cast<int16_t>(virtualKey), shift);
    if (typing && spelling.size() == 1) {
        insert(spelling);
    } else if (typing && spelling == u"ShiftSpace") {
        insert(u" ");
    }
}

// The program's own keystrokes reach the application, and the next poll sees
// them as pressed, as on the desktop.
void FakeSession::receiveSyntheticKeys() {
    for (; sentKeysSeen_ < platform_.sentKeys.size(); ++sentKeysSeen_) {
        const auto [key, up] = platform_.sentKeys[sentKeysSeen_];
        if (key == kVkControl) {
            syntheticCtrl_ = !up;
            continue;
        }
        if (up || key == kVkShift) {
            continue;
        }
        platform_.keysPressed.insert(key);
        const bool ctrl = syntheticCtrl_ || platform_.keysDown.count(kVkControl) > 0;
        if (key == kVkV && ctrl) {
            receiveUserKey(key, false, true);
        } else {
            receiveUserKey(key, false, false);
        }
    }
}

}  // namespace wordvane
