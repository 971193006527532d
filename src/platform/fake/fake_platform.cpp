#include "platform/fake/fake_platform.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/fake/cp932_codec.h"
#include "ui/controls.h"
#include "util/utf8.h"

namespace wordvane {

namespace fs = std::filesystem;

FakePlatform::FakePlatform(const std::string& folder) {
    std::string withSlash = folder;
    if (withSlash.empty() || withSlash.back() != '/') {
        withSlash += '/';
    }
    folder_ = fromUtf8(withSlash);
}

bool FakePlatform::keyDown(int virtualKey) {
    return keysDown.count(virtualKey) > 0;
}

bool FakePlatform::keyActive(int virtualKey) {
    if (keysPressed.empty() && keysDown.empty()) {
        return false;
    }
    const bool pressed = keysPressed.erase(virtualKey) > 0;
    return pressed || keysDown.count(virtualKey) > 0;
}

void FakePlatform::sendKey(int virtualKey, bool keyUp) {
    sentKeys.emplace_back(virtualKey, keyUp);
}

int FakePlatform::scanCode(int virtualKey) {
    return virtualKey;
}

std::optional<std::u16string> FakePlatform::clipboardText() {
    return clipboardBusy ? std::nullopt : clipboard;
}

bool FakePlatform::putClipboardText(const std::u16string& text) {
    if (clipboardBusy) {
        return false;
    }
    clipboard = text;
    ++clipboardChanges;
    pastedTexts.push_back(text);
    return true;
}

uint32_t FakePlatform::clipboardChangeCount() {
    return clipboardChanges;
}

// Like the global atom table: the same name gives the same id and counts a
// reference; deleting the last reference frees the name.
int16_t FakePlatform::addAtom(const std::u16string& name) {
    if (atomReferences[name]++ == 0) {
        atomNames_[nextAtom_] = name;
        return nextAtom_++;
    }
    for (const auto& [atom, atomName] : atomNames_) {
        if (atomName == name) {
            return atom;
        }
    }
    return 0;
}

void FakePlatform::deleteAtom(int16_t atom) {
    const auto found = atomNames_.find(atom);
    if (found == atomNames_.end()) {
        return;
    }
    if (--atomReferences[found->second] == 0) {
        atomReferences.erase(found->second);
        atomNames_.erase(found);
    }
}

bool FakePlatform::registerHotKey(WindowHandle window, int32_t id, int32_t modifiers,
                                  int32_t virtualKey) {
    if (registeredHotKeys.count(id) > 0) {
        return false;
    }
    for (const auto& [otherId, hotKey] : registeredHotKeys) {
        if (hotKey.modifiers == modifiers && hotKey.virtualKey == virtualKey) {
            return false;
        }
    }
    registeredHotKeys[id] = HotKey{window, modifiers, virtualKey};
    return true;
}

bool FakePlatform::unregisterHotKey(WindowHandle /*window*/, int32_t id) {
    return registeredHotKeys.erase(id) > 0;
}

WindowHandle FakePlatform::foregroundWindow() {
    return foreground;
}
void FakePlatform::setForegroundWindow(WindowHandle window) {
    foreground = window;
}
void FakePlatform::setActiveWindow(WindowHandle /*window*/) {}
WindowHandle FakePlatform::windowBelow(WindowHandle /*window*/) {
    return 0;
}
bool FakePlatform::isWindow(WindowHandle window) {
    return window != 0;
}
void FakePlatform::setTopmost(WindowHandle /*window*/, bool /*topmost*/) {}
std::optional<Rect> FakePlatform::windowRect(WindowHandle /*window*/) {
    return std::nullopt;
}
std::u16string FakePlatform::windowClassName(WindowHandle /*window*/) {
    return u"";
}
std::optional<Caret> FakePlatform::caret() {
    return caretAt;
}
Point FakePlatform::cursorPosition() {
    return cursor;
}
Size FakePlatform::screenSizePixels() {
    return screen;
}
int FakePlatform::twipsPerPixelX() {
    return twipsPerPixel;
}
int FakePlatform::twipsPerPixelY() {
    return twipsPerPixel;
}

void FakePlatform::setWindowRoundRegion(WindowHandle /*window*/, const Rect& /*box*/,
                                        int /*corner*/, const Point* /*tail*/, int /*tailPoints*/) {
}

void FakePlatform::setWindowOpacity(WindowHandle window, int alpha) {
    opacity[window] = alpha;
}

// Every character is 8 x 16 pixels at 9 points.
Size FakePlatform::measureText(const std::u16string& text, const std::u16string& /*fontName*/,
                               int pointSize) {
    return Size{static_cast<int32_t>(text.size()) * 8 * pointSize / 9, 16 * pointSize / 9};
}

void FakePlatform::addTrayIcon(WindowHandle /*window*/, const std::u16string& tip) {
    trayIconShown = true;
    trayTip = tip;
    ++trayIconAdds;
}

void FakePlatform::removeTrayIcon() {
    trayIconShown = false;
}

void FakePlatform::popupMenu(ui::Menu& menu, Point /*at*/) {
    poppedMenus.push_back(menu.caption());
    openMenu = &menu;
}

bool FakePlatform::shellOpen(const std::u16string& target) {
    shellOpened.push_back(target);
    return true;
}

int FakePlatform::messageBox(const std::u16string& text, const std::u16string& title, int style) {
    messages.push_back(Message{text, title, style});
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        return answer;
    }
    return (style & 0xF) == kMbYesNo ? kIdNo : kIdOk;
}

std::optional<std::u16string> FakePlatform::saveFileDialog(const std::u16string& /*filter*/,
                                                           int /*flags*/) {
    return saveDialogAnswer;
}

void FakePlatform::yieldToEvents() {
    ++yields;
    if (duringYield) {
        const auto events = std::move(duringYield);
        duringYield = nullptr;
        events();
    }
}

std::u16string FakePlatform::programFolder() {
    return folder_;
}

bool FakePlatform::anotherInstanceRunning() {
    return otherInstance;
}

void FakePlatform::exitProcess() {
    exited = true;
}

std::optional<std::string> FakePlatform::readFile(const std::u16string& path) {
    const fs::path file(toUtf8(path));
    std::error_code error;
    if (!fs::is_regular_file(file, error)) {
        return std::nullopt;  // a folder or nothing at all is no file to read
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes.str();
}

// Writes a temporary file beside the target and renames it over the target
// only when the whole write succeeded.
bool FakePlatform::writeFile(const std::u16string& path, std::string_view bytes) {
    if (failingWrites.count(path) > 0) {
        return false;
    }
    const fs::path target(toUtf8(path));
    fs::path temporary = target;
    temporary += ".saving";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    writtenFiles.push_back(path);
    return true;
}

std::u16string FakePlatform::decodeAnsi(std::string_view bytes) {
    return decodeCp932(bytes);
}

std::string FakePlatform::encodeAnsi(std::u16string_view text) {
    return encodeCp932(text);
}

uint64_t FakePlatform::milliseconds() {
    return now;
}

LocalDateTime FakePlatform::localNow() {
    return localTime;
}

}  // namespace wordvane
