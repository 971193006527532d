#include "completion/key_reader.h"

#include <algorithm>

namespace wordvane {

namespace {

struct Spelling {
    int code;
    const char16_t* up;
    const char16_t* down;
};

constexpr Spelling kSpellings[] = {
    {8, u"backspace", u"backspace"},
    {9, u"tab", u"btab"},
    {13, u"return", u"return"},
    {27, u"Esc", u"Esc"},
    {32, u" ", u"ShiftSpace"},
    {33, u"pageup", u"pageup"},
    {34, u"pagedown", u"pagedown"},
    {37, u"←", u"←"},
    {38, u"↑", u"↑"},
    {39, u"→", u"→"},
    {40, u"↓", u"↓"},
    {45, u"insert", u"Shiftinsert"},
    {46, u"", u"Shiftdelete"},
    {48, u"0", u""},
    {49, u"1", u"!"},
    {50, u"2", u"\""},
    {51, u"3", u"#"},
    {52, u"4", u"$"},
    {53, u"5", u"%"},
    {54, u"6", u"&"},
    {55, u"7", u"'"},
    {56, u"8", u"("},
    {57, u"9", u")"},
    {96, u"0", u"insert"},
    {97, u"1", u"end"},
    {98, u"2", u"↓"},
    {99, u"3", u"pagedown"},
    {100, u"4", u"←"},
    {101, u"5", u""},
    {102, u"6", u"→"},
    {103, u"7", u"home"},
    {104, u"8", u"↑"},
    {105, u"9", u"pageup"},
    {186, u":", u"*"},
    {187, u";", u"+"},
    {188, u",", u"<"},
    {189, u"-", u"="},
    {190, u".", u">"},
    {191, u"/", u"?"},
    {192, u"@", u"`"},
    {219, u"[", u"{"},
    {220, u"\\", u"|"},
    {221, u"]", u"}"},
    {222, u"^", u"~"},
    {226, u"\\", u"_"},
};

std::vector<int16_t> makePolledCodes() {
    std::vector<int16_t> codes;
    for (const auto& spelling : kSpellings) {
        codes.push_back(static_cast<int16_t>(spelling.code));
    }
    for (int16_t letter = 65; letter <= 90; ++letter) {
        codes.push_back(letter);
    }
    std::sort(codes.begin(), codes.end());
    return codes;
}

}  // namespace

KeyReader::KeyReader() {
    setKeyRelation();
}

const std::vector<int16_t>& KeyReader::polledCodes() {
    static const std::vector<int16_t> codes = makePolledCodes();
    return codes;
}

void KeyReader::setKeyRelation() {
    for (auto& row : keySpell_) {
        row = {u"", u""};
    }
    for (const auto& spelling : kSpellings) {
        keySpell_[static_cast<size_t>(spelling.code)] = {spelling.up, spelling.down};
    }
    for (int letter = 0; letter < 26; ++letter) {
        keySpell_[static_cast<size_t>(65 + letter)] = {
            std::u16string(1, static_cast<char16_t>(u'a' + letter)),
            std::u16string(1, static_cast<char16_t>(u'A' + letter))};
    }
}

std::u16string KeyReader::getString(int16_t code, bool shift) const {
    if (code < 0 || code > 255) {
        return u"";
    }
    return keySpell_[static_cast<size_t>(code)][shift ? 1 : 0];
}

bool KeyReader::isTypingKey(int16_t code) {
    return code == 8 || code == 32 || (code >= 48 && code <= 57) || (code >= 65 && code <= 90) ||
           (code >= 96 && code <= 105) || (code >= 186 && code <= 192) ||
           (code >= 219 && code <= 222) || code == 226;
}

// The keys whose characters differ between layouts (the number row and the
// punctuation keys) are spelled as the foreground window's layout types them
// when it is not the Japanese one; the table holds the Japanese spellings.
// AltGr (Ctrl+Alt from the right Alt) types a character on the layouts that
// have it (@ # \ [ ] on German, French, Polish...): that is typing, not a
// Ctrl+Alt shortcut.
std::u16string KeyReader::spell(Platform& platform, int16_t code, bool altGr) {
    if (altGr) {
        if (auto typed = platform.layoutCharacter(code, shiftDown_, true)) {
            spelledWithCommandKey_ = false;
            return *typed;
        }
    }
    std::u16string spelling = getString(code, shiftDown_);
    const bool layoutKey = (code >= 48 && code <= 57) || (code >= 186 && code <= 192) ||
                           (code >= 219 && code <= 222) || code == 226;
    if (layoutKey && spelling.size() == 1) {
        if (auto typed = platform.layoutCharacter(code, shiftDown_, false)) {
            return *typed;
        }
    }
    return spelling;
}

void KeyReader::suppressUntilReleased(int16_t code, uint64_t nowMilliseconds) {
    std::erase_if(suppressed_, [code](const Suppressed& key) { return key.code == code; });
    suppressed_.push_back(Suppressed{code, nowMilliseconds, false});
}

// A suppression ends when a poll has seen its key up after seeing it down,
// however long the key was held; one that never sees its key down (the key
// state never caught up) ends after half a second.
bool KeyReader::suppressedNow(int16_t code, bool active, uint64_t now) {
    constexpr uint64_t kLongestUnseen = 500;
    for (auto key = suppressed_.begin(); key != suppressed_.end(); ++key) {
        if (key->code != code) {
            continue;
        }
        const bool released = key->seenDown && !active;
        const bool neverSeen = !key->seenDown && now - key->since > kLongestUnseen;
        if (released || neverSeen) {
            suppressed_.erase(key);
            return false;
        }
        key->seenDown = key->seenDown || active;
        return true;
    }
    return false;
}

// A recorded press of a hotkey's key belongs to the hotkey: it happened at
// most half a second before or after the hotkey arrived.
bool KeyReader::isHotKeysPress(const KeyPress& press) {
    constexpr uint64_t kNear = 500;
    for (auto key = suppressed_.begin(); key != suppressed_.end(); ++key) {
        if (key->code == press.virtualKey && press.at + kNear >= key->since &&
            press.at <= key->since + kNear) {
            suppressed_.erase(key);
            return true;
        }
    }
    return false;
}

std::u16string KeyReader::nextRecordedSpelling(Platform& platform) {
    constexpr size_t kMostWaiting = 256;
    for (const KeyPress& press : platform.takeKeyPresses()) {
        if (presses_.size() < kMostWaiting) {
            presses_.push_back(press);
        }
    }
    keyWentDown_ = false;
    spelledWithCommandKey_ = false;
    if (presses_.empty() && !platform.keysMayHaveChanged()) {
        // No key moved: Shift and Ctrl are as the last poll found them.
        atRest_ = !shiftDown_ && !ctrlDown_;
        return u"";
    }
    shiftDown_ = platform.keyDown(kVkShift);
    ctrlDown_ = platform.keyDown(kVkControl);
    std::u16string spelling;
    while (!presses_.empty()) {
        const KeyPress press = presses_.front();
        presses_.pop_front();
        const auto code = static_cast<int16_t>(press.virtualKey);
        const auto& codes = polledCodes();
        if (!std::binary_search(codes.begin(), codes.end(), code) || isHotKeysPress(press) ||
            press.ownWindow) {
            continue;
        }
        keyWentDown_ = true;
        shiftDown_ = press.shift;
        ctrlDown_ = ctrlDown_ || press.ctrl;
        spelledWithCommandKey_ = press.ctrl || press.alt || press.win;
        if (!isTypingKey(code) || !platform.imeOpen()) {
            spelling = spell(platform, code, press.altGr && !press.win);
        }
        break;
    }
    // A hotkey whose press never came is forgotten after half a second.
    const uint64_t now = platform.milliseconds();
    std::erase_if(suppressed_, [now](const Suppressed& key) { return now > key.since + 500; });
    return spelling;
}

std::u16string KeyReader::getPushedSpell(Platform& platform) {
    atRest_ = false;
    recorded_ = platform.recordsKeyPresses();
    if (recorded_) {
        return nextRecordedSpelling(platform);
    }
    // All keys were up and none has moved since: this poll would find them
    // up again, and asking each of them costs the system a round trip.
    const bool mayHaveChanged = platform.keysMayHaveChanged();
    if (lastPushedKeys_.empty() && !mayHaveChanged) {
        keyWentDown_ = false;
        spelledWithCommandKey_ = false;
        atRest_ = !shiftDown_ && !ctrlDown_;
        return u"";
    }
    pushedKeys_.clear();
    keyWentDown_ = false;
    spelledWithCommandKey_ = false;
    const uint64_t now = suppressed_.empty() ? 0 : platform.milliseconds();
    for (int16_t code : polledCodes()) {
        const bool active = platform.keyActive(code);
        if (!suppressed_.empty() && suppressedNow(code, active, now)) {
            continue;
        }
        if (active) {
            pushedKeys_.push_back(code);
        }
    }
    shiftDown_ = platform.keyDown(kVkShift);
    ctrlDown_ = platform.keyDown(kVkControl);
    if (pushedKeys_.empty()) {
        lastPushedKeys_.clear();
        return u"";
    }
    std::u16string spelling;
    for (int16_t code : pushedKeys_) {
        if (std::find(lastPushedKeys_.begin(), lastPushedKeys_.end(), code) ==
            lastPushedKeys_.end()) {
            keyWentDown_ = true;
            // With the IME on, the typing keys build its composition, not an
            // abbreviation; asked only when a key goes down.
            const bool win = platform.keyDown(kVkLeftWin) || platform.keyDown(kVkRightWin);
            spelledWithCommandKey_ = ctrlDown_ || platform.keyDown(kVkMenu) || win;
            if (!isTypingKey(code) || !platform.imeOpen()) {
                spelling =
                    spell(platform, code, ctrlDown_ && !win && platform.keyDown(kVkRightMenu));
            }
            break;
        }
    }
    lastPushedKeys_.swap(pushedKeys_);
    spelledWithCommandKey_ = spelledWithCommandKey_ && !spelling.empty();
    return spelling;
}

}  // namespace wordvane
