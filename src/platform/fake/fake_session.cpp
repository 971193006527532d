#include "platform/fake/fake_session.h"

#include <algorithm>

#include "completion/insertion.h"
#include "completion/key_reader.h"
#include "hotkeys/hotkey_ids.h"
#include "util/ascii.h"
#include "util/utf8.h"

namespace wordvane {

namespace {

constexpr uint64_t kTickMilliseconds = 10;

// While the program handles the user's input, the system lets it take the
// foreground.
class InputToProgram {
  public:
    explicit InputToProgram(FakePlatform& platform)
        : platform_(platform), was_(platform.inputToProgram) {
        platform_.inputToProgram = true;
    }
    ~InputToProgram() { platform_.inputToProgram = was_; }
    InputToProgram(const InputToProgram&) = delete;
    InputToProgram& operator=(const InputToProgram&) = delete;

  private:
    FakePlatform& platform_;
    bool was_;
};

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

FakeSession::FakeSession(FakePlatform& platform, App& app) : platform_(platform), app_(app) {
    platform_.whileMessageShown = [this] { tick(); };
    // Only the applications go on: they take the keys sent and read late.
    platform_.whileAwaitingPaste = [this](uint64_t until) {
        while (!platform_.offeredTaken && platform_.now < until) {
            platform_.now += kTickMilliseconds;
            receiveSyntheticKeys();
            pasteWhatIsDue();
        }
    };
    platform_.foregroundLock = true;
}

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
    const std::u16string lower = asciiLowered(name);
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
        deliverDesktopEvents();
        if (app_.forms.form1.Timer1.running()) {
            ++mainTicks_;
        }
        app_.forms.form1.Timer1.fire();
        receiveSyntheticKeys();
        fireDueTimers();
        pasteWhatIsDue();
    }
}

void FakeSession::pasteWhatIsDue() {
    while (!pastesDue_.empty() && platform_.now >= pastesDue_.front()) {
        pastesDue_.pop_front();
        paste();
    }
}

// Between two ticks the desktop tells the program that keys moved (raw
// input, while it listens) and that the clipboard changed (its listener's
// message), whoever moved or changed them.
void FakeSession::deliverDesktopEvents() {
    const bool keysMoved = platform_.keysDown != keysDelivered_ || !platform_.keysPressed.empty() ||
                           !platform_.keyPresses.empty();
    const bool clipboardChanged = platform_.clipboardChanges != clipboardDelivered_;
    keysDelivered_ = platform_.keysDown;
    clipboardDelivered_ = platform_.clipboardChanges;
    if ((keysMoved && platform_.keysWatched) || clipboardChanged) {
        event();
    }
}

void FakeSession::event() {
    if (app_.forms.onEvent) {
        app_.forms.onEvent();
    }
}

// Every timer but the main tick fires when its interval has passed since it
// was started or last fired; a restart starts the interval anew.
void FakeSession::fireDueTimers() {
    for (int number = 1; number <= 9; ++number) {
        for (ui::Timer* timer : app_.forms.byNumber(number).timers()) {
            if (timer == &app_.forms.form1.Timer1) {
                continue;
            }
            if (!timer->enabled()) {
                armed_.erase(timer);
                continue;
            }
            // A timer started since the last tick counts its interval from now.
            Armed& armed =
                armed_.try_emplace(timer, Armed{timer->starts(), platform_.now}).first->second;
            if (armed.start != timer->starts()) {
                armed = Armed{timer->starts(), platform_.now};
            }
            if (platform_.now - armed.at >= static_cast<uint64_t>(timer->interval())) {
                armed.at = platform_.now;
                timer->fire();
                receiveSyntheticKeys();
            }
        }
    }
}

std::optional<int16_t> FakeSession::hotKeyIdFor(int virtualKey, int32_t modifiers) const {
    for (const auto& [id, hotKey] : platform_.registeredHotKeys) {
        if (hotKey.virtualKey == virtualKey && (hotKey.modifiers & ~kModNoRepeat) == modifiers) {
            return static_cast<int16_t>(id);
        }
    }
    return std::nullopt;
}

// The desktop delivers a hotkey only while it is registered; otherwise the
// key is the application's, which the tests do not need here.
void FakeSession::sendHotKey(int16_t id) {
    const InputToProgram input(platform_);
    if (platform_.registeredHotKeys.contains(id) && app_.forms.form1.onHotKey) {
        event();
        app_.forms.form1.onHotKey(id);
    }
    receiveSyntheticKeys();
}

void FakeSession::press(int virtualKey, bool shift, bool ctrl, bool alt) {
    const int32_t modifiers =
        (shift ? kModShift : 0) | (ctrl ? kModControl : 0) | (alt ? kModAlt : 0);
    for (auto [held, modifier] :
         {std::pair{shift, kVkShift}, std::pair{ctrl, kVkControl}, std::pair{alt, kVkMenu}}) {
        if (held) {
            platform_.keysDown.insert(modifier);
        }
    }
    platform_.keysDown.insert(virtualKey);
    platform_.keysPressed.insert(virtualKey);
    recordPress(virtualKey, shift, ctrl, alt);
    if (const auto id = hotKeyIdFor(virtualKey, modifiers)) {
        sendHotKey(*id);
    } else if (ui::Window* own = ownWindowInFront()) {
        keyIntoOwnWindow(*own, virtualKey, shift, ctrl);
        receiveSyntheticKeys();  // what the key made the program send, as after a hotkey
    } else if (!alt) {
        receiveUserKey(virtualKey, shift, ctrl);
    }
    tick();
    for (int key : {virtualKey, kVkShift, kVkControl, kVkMenu}) {
        platform_.keysDown.erase(key);
    }
    tick();
}

void FakeSession::recordPress(int virtualKey, bool shift, bool ctrl, bool alt) {
    if (platform_.recordKeyPresses) {
        platform_.keyPresses.push_back(KeyPress{virtualKey, shift, ctrl, alt, false, platform_.now,
                                                ownWindowInFront() != nullptr});
    }
}

void FakeSession::typeBurst(const std::u16string& text) {
    for (char16_t c : text) {
        const auto key = keyFor(c);
        if (!key) {
            insert(std::u16string(1, c));
            continue;
        }
        platform_.keysPressed.insert(key->first);
        recordPress(key->first, key->second, false, false);
        receiveUserKey(key->first, key->second, false);
    }
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
            const int16_t id = app_.hotkeys.navigationId(static_cast<NavigationHotKeyIndex>(i));
            if (platform_.registeredHotKeys.contains(id)) {
                sendHotKey(id);
            } else {
                press(virtualKey);  // no hotkey now: the key reaches whoever has the keyboard
            }
            return true;
        }
    }
    return false;
}

bool FakeSession::listHotkey(int list) {
    if (list < 0 || list >= 7) {
        return false;
    }
    sendHotKey(app_.hotkeys.listId(static_cast<size_t>(list)));
    return true;
}

void FakeSession::copy(const std::u16string& text) {
    platform_.clipboard = text;
    platform_.clipboardFormats.clear();
    platform_.clipboardExcluded = false;
    platform_.clipboardProgramsOwn = false;
    ++platform_.clipboardChanges;
}

void FakeSession::trayIcon(int mouseMessage) {
    const InputToProgram input(platform_);
    if (app_.forms.form1.onTrayIcon) {
        event();
        app_.forms.form1.onTrayIcon(mouseMessage);
    }
    receiveSyntheticKeys();
}

bool FakeSession::chooseMenuItem(const std::u16string& caption) {
    // "SUBMENU > ITEM" names an item inside a submenu.
    ui::MenuItem* item = platform_.openMenu;
    std::u16string rest = caption;
    while (item != nullptr) {
        const size_t arrow = rest.find(u" > ");
        item = item->find(rest.substr(0, arrow));
        if (arrow == std::u16string::npos) {
            break;
        }
        rest = rest.substr(arrow + 3);
    }
    if (item == nullptr || !item->enabled()) {
        return false;  // a grey item cannot be chosen
    }
    platform_.openMenu = nullptr;
    const InputToProgram input(platform_);
    event();
    item->click();
    receiveSyntheticKeys();
    return true;
}

std::vector<int> FakeSession::shownWindows() const {
    std::vector<int> shown;
    for (int number = 1; number <= 9; ++number) {
        if (app_.forms.byNumber(number).visible()) {
            shown.push_back(number);
        }
    }
    return shown;
}

bool FakeSession::click(const std::u16string& caption) {
    auto* button = shownControl<ui::Button>(
        [&](const ui::Button& candidate) { return candidate.caption() == caption; });
    if (button == nullptr) {
        return false;
    }
    const InputToProgram input(platform_);
    event();
    button->click();
    receiveSyntheticKeys();
    return true;
}

bool FakeSession::toggleCheckBox(const std::u16string& caption) {
    auto* check = shownControl<ui::CheckBox>(
        [&](const ui::CheckBox& candidate) { return candidate.caption() == caption; });
    if (check != nullptr) {
        event();
        check->setChecked(!check->checked());
    }
    return check != nullptr;
}

bool FakeSession::chooseComboEntry(const std::u16string& text) {
    auto* combo = shownControl<ui::ComboBox>([&](const ui::ComboBox& candidate) {
        const auto& items = candidate.items();
        return std::find(items.begin(), items.end(), text) != items.end();
    });
    if (combo == nullptr) {
        return false;
    }
    const auto& items = combo->items();
    event();
    combo->click(static_cast<int16_t>(std::find(items.begin(), items.end(), text) - items.begin()));
    return true;
}

void FakeSession::clickInto(WindowHandle window) {
    if (platform_.mouseWatched) {
        platform_.mouseClicks.push_back(window);
        event();
    }
    platform_.foreground = window;
    tick();
}

void FakeSession::imeCommit(const std::u16string& text) {
    ui::Window* own = ownWindowInFront();
    auto* box = own != nullptr ? dynamic_cast<ui::TextBox*>(own->focusedControl()) : nullptr;
    if (box == nullptr) {
        insert(text);
        tick();
        return;
    }
    event();
    recordPress(kVkProcessKey, false, false, false);
    if (box->onKeyDown) {
        box->onKeyDown(static_cast<int16_t>(kVkProcessKey), 0);
    }
    typeIntoBox(*box, text);
    // Return commits the composition; a Return hotkey, where one is
    // registered, takes the key before the IME does, as on the desktop.
    if (const auto id = hotKeyIdFor(kVkReturn, 0)) {
        sendHotKey(*id);
    } else if (box->onKeyDown) {
        box->onKeyDown(static_cast<int16_t>(kVkProcessKey), 0);
    }
    tick();
}

void FakeSession::rightClickList() {
    const InputToProgram input(platform_);
    event();
    if (app_.forms.form1.List1.onRightButton) {
        app_.forms.form1.List1.onRightButton();
    }
}

bool FakeSession::focus(const std::u16string& name) {
    const InputToProgram input(platform_);
    for (int number : shownWindows()) {
        ui::Window& window = app_.forms.byNumber(number);
        for (const ui::ControlSlot& slot : window.controls()) {
            if (slot.control->visible() && fromUtf8(slot.name) == name) {
                event();
                // A click into a text box takes the keyboard, even in a
                // window that a click does not activate otherwise.
                if (dynamic_cast<ui::TextBox*>(slot.control) != nullptr) {
                    platform_.setForegroundWindow(window.handle());
                }
                for (const ui::ControlSlot& other : window.controls()) {
                    other.control->setFocused(other.control == slot.control);
                }
                return true;
            }
        }
    }
    return false;
}

bool FakeSession::typeIntoField(const std::u16string& text, bool replace) {
    for (int number : shownWindows()) {
        auto* field = dynamic_cast<ui::TextBox*>(app_.forms.byNumber(number).focusedControl());
        if (field == nullptr) {
            continue;
        }
        event();
        if (replace) {
            if (field->onKeyDown) {
                field->onKeyDown(kVkDelete, 0);
            }
            field->userChanged(u"");
        }
        for (char16_t c : text) {
            const auto key = keyFor(c);
            if (key && field->onKeyDown) {
                field->onKeyDown(static_cast<int16_t>(key->first), key->second ? 1 : 0);
            }
            typeIntoBox(*field, std::u16string(1, c));
        }
        return true;
    }
    return false;
}

// Keys that type a character: space, the number row, letters, the keypad
// digits and the punctuation keys.
bool FakeSession::typesCharacter(int virtualKey, bool shift) {
    return virtualKey == 32 || (virtualKey >= 48 && virtualKey <= 90) ||
           (!shift && virtualKey >= 96 && virtualKey <= 105) || virtualKey >= 186;
}

// A selected text is replaced; a single-line box never holds a line break.
void FakeSession::typeIntoBox(ui::TextBox& box, const std::u16string& typed) {
    if (!box.multiline() && (typed == u"\r" || typed == u"\n" || typed == u"\r\n")) {
        return;
    }
    box.userChanged((box.allSelected() ? std::u16string() : box.text()) + typed);
}

ui::Window* FakeSession::ownWindowInFront() const {
    return app_.forms.shownWindow(platform_.foreground);
}

// A key typed while one of the program's windows has the keyboard: a dialog
// takes Return, Esc, Tab and Space first (as the desktop's dialog handling
// does), then the focused box hears the key and takes what it types.
void FakeSession::keyIntoOwnWindow(ui::Window& window, int virtualKey, bool shift, bool ctrl) {
    event();
    if (window.takesDialogKeys() && !ctrl && window.dialogKey(virtualKey, shift)) {
        return;
    }
    auto* box = dynamic_cast<ui::TextBox*>(window.focusedControl());
    if (box == nullptr) {
        return;
    }
    if (box->onKeyDown) {
        box->onKeyDown(static_cast<int16_t>(virtualKey),
                       static_cast<int16_t>((shift ? 1 : 0) | (ctrl ? 2 : 0)));
    }
    if (ctrl) {
        return;
    }
    if (virtualKey == kVkBack) {
        const std::u16string& text = box->text();
        box->userChanged(box->allSelected() || text.empty() ? std::u16string()
                                                            : text.substr(0, text.size() - 1));
    } else if (virtualKey == kVkReturn) {
        typeIntoBox(*box, u"\r\n");
    } else if (typesCharacter(virtualKey, shift)) {
        const std::u16string spelling =
            app_.keyReader.getString(static_cast<int16_t>(virtualKey), shift);
        if (spelling.size() == 1 || spelling == u"ShiftSpace") {
            typeIntoBox(*box, spelling.size() == 1 ? spelling : u" ");
        }
    }
}

void FakeSession::insert(const std::u16string& text) {
    replaceSelection();
    text_.insert(caret_, text);
    caret_ += text.size();
}

void FakeSession::paste() {
    if (const auto text = platform_.pasteClipboard()) {
        insert(*text);
    }
}

void FakeSession::forgetRecords() {
    receiveSyntheticKeys();
    platform_.sentKeys.clear();
    platform_.pastedTexts.clear();
    sentKeysSeen_ = 0;
    text_.clear();
    caret_ = 0;
    selectionStart_.reset();
}

void FakeSession::selectAll() {
    select(0, text_.size());
}

void FakeSession::select(size_t from, size_t length) {
    selectionStart_ = std::min(from, text_.size());
    caret_ = std::min(*selectionStart_ + length, text_.size());
}

std::pair<size_t, size_t> FakeSession::selection() const {
    if (!selectionStart_) {
        return {caret_, caret_};
    }
    return {std::min(*selectionStart_, caret_), std::max(*selectionStart_, caret_)};
}

void FakeSession::replaceSelection() {
    const auto [begin, end] = selection();
    text_.erase(begin, end - begin);
    caret_ = begin;
    selectionStart_.reset();
}

void FakeSession::receiveUserKey(int virtualKey, bool shift, bool ctrl) {
    const auto [begin, end] = selection();
    if (ctrl) {
        if (virtualKey == kVkV &&
            pastesWithShiftInsert(platform_.windowClassName(platform_.foreground))) {
            return;  // a terminal gives Ctrl+V to the program running in it
        }
        if (virtualKey == kVkV && pasteDelayMs > 0) {
            pastesDue_.push_back(platform_.now +
                                 pasteDelayMs);  // a busy application reads it later
        } else if (virtualKey == kVkV) {
            paste();
        } else if (virtualKey == kVkC && begin < end) {
            copy(text_.substr(begin, end - begin));
        }
        return;
    }
    if (virtualKey == kVkLeft || virtualKey == kVkRight) {
        // Shift with an arrow extends the selection; an arrow alone ends it.
        if (!shift) {
            selectionStart_.reset();
        } else if (!selectionStart_) {
            selectionStart_ = caret_;
        }
    } else if ((virtualKey == kVkBack || virtualKey == kVkDelete) && begin < end) {
        replaceSelection();
        return;
    }
    if (virtualKey == kVkBack || virtualKey == kVkDelete) {
        selectionStart_.reset();  // an empty selection's anchor goes with the caret
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
    const bool typing = typesCharacter(virtualKey, shift);
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
        if (key == kVkShift) {
            syntheticShift_ = !up;
            continue;
        }
        if (up) {
            continue;
        }
        platform_.keysPressed.insert(key);
        const bool ctrl = syntheticCtrl_ || platform_.keysDown.count(kVkControl) > 0;
        if (key == kVkInsert && syntheticShift_) {
            paste();  // every edit box and terminal pastes on Shift+Insert
        } else if ((key == kVkV || key == kVkC) && ctrl) {
            receiveUserKey(key, false, true);
        } else {
            receiveUserKey(key, false, false);
        }
    }
}

}  // namespace wordvane
