#include "platform/fake/fake_platform.h"

#include <algorithm>
#include <cstring>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lists/cp932.h"
#include "ui/controls.h"
#include "util/ascii.h"
#include "util/text_mapping.h"
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
    ++keyQuestions;
    if (keysPressed.empty() && keysDown.empty()) {
        return false;
    }
    const bool pressed = keysPressed.erase(virtualKey) > 0;
    return pressed || keysDown.count(virtualKey) > 0;
}

bool FakePlatform::keysMayHaveChanged() {
    const bool changed = !keysWatched || keysDown != keysSeen_ || !keysPressed.empty();
    keysSeen_ = keysDown;
    return changed;
}

size_t FakePlatform::sendKeys(const std::vector<KeyStroke>& keys) {
    const size_t sent = std::min(keys.size(), keystrokeLimit.value_or(keys.size()));
    for (size_t i = 0; i < sent; ++i) {
        sentKeys.emplace_back(keys[i].virtualKey, keys[i].up);
    }
    return sent;
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
    clipboardFormats.clear();
    clipboardExcluded = true;
    clipboardProgramsOwn = true;
    ++clipboardChanges;
    pastedTexts.push_back(text);
    return true;
}

bool FakePlatform::offerClipboardText(const std::u16string& text) {
    if (!putClipboardText(text)) {
        return false;
    }
    offeredTaken = false;
    return true;
}

uint32_t FakePlatform::clipboardChangeCount() {
    return clipboardChanges;
}

ClipboardCopy FakePlatform::copyClipboardForHistory(size_t maxCharacters) {
    using Status = ClipboardCopy::Status;
    if (clipboardBusy) {
        return {Status::Busy, u""};
    }
    if (clipboardExcluded) {
        return {Status::Excluded, u""};
    }
    if (!clipboard) {
        return {Status::NoText, u""};
    }
    if (clipboard->size() > maxCharacters) {
        return {Status::TooLong, u""};
    }
    return {Status::Text, *clipboard};
}

std::optional<ClipboardSnapshot> FakePlatform::saveClipboard() {
    if (clipboardBusy) {
        return std::nullopt;
    }
    ClipboardSnapshot snapshot;
    if (clipboard) {
        snapshot.formats.push_back(
            {kClipboardUnicodeText, std::string(reinterpret_cast<const char*>(clipboard->c_str()),
                                                (clipboard->size() + 1) * sizeof(char16_t))});
    }
    for (const auto& [id, bytes] : clipboardFormats) {
        const auto name = clipboardFormatNames.find(id);
        if (portableClipboardFormat(
                id, name == clipboardFormatNames.end() ? u"" : std::u16string_view(name->second))) {
            formatsRendered.push_back(id);  // asking for a format renders it
            snapshot.formats.push_back({id, bytes});
        }
    }
    return snapshot;
}

bool FakePlatform::restoreClipboard(const ClipboardSnapshot& snapshot) {
    if (clipboardBusy) {
        return false;
    }
    clipboard.reset();
    clipboardFormats.clear();
    for (const auto& format : snapshot.formats) {
        if (format.id == kClipboardUnicodeText) {
            std::u16string text(format.bytes.size() / sizeof(char16_t), u'\0');
            std::memcpy(text.data(), format.bytes.data(), text.size() * sizeof(char16_t));
            clipboard = text.substr(0, text.find(u'\0'));
        } else {
            clipboardFormats[format.id] = format.bytes;
        }
    }
    clipboardExcluded = !snapshot.formats.empty();
    clipboardProgramsOwn = true;
    ++clipboardChanges;
    return true;
}

bool FakePlatform::registerHotKey(WindowHandle window, int32_t id, int32_t modifiers,
                                  int32_t virtualKey) {
    if (registeredHotKeys.count(id) > 0) {
        return false;
    }
    // The no-repeat flag is not part of the combination.
    for (const auto& [otherId, hotKey] : registeredHotKeys) {
        if ((hotKey.modifiers & ~kModNoRepeat) == (modifiers & ~kModNoRepeat) &&
            hotKey.virtualKey == virtualKey) {
            return false;
        }
    }
    registeredHotKeys[id] = HotKey{window, modifiers, virtualKey};
    return true;
}

bool FakePlatform::unregisterHotKey(WindowHandle /*window*/, int32_t id) {
    ++hotKeyUnregistrations;
    return registeredHotKeys.erase(id) > 0;
}

WindowHandle FakePlatform::foregroundWindow() {
    return foreground;
}
void FakePlatform::setForegroundWindow(WindowHandle window) {
    const bool ours = processOf(foreground) == ownProcess();
    if (foregroundLock && !inputToProgram && !ours && processOf(window) == ownProcess()) {
        ++foregroundRefused;
        return;
    }
    foreground = window;
}
bool FakePlatform::isWindow(WindowHandle window) {
    return window != 0 && !closedWindows.contains(window);
}
void FakePlatform::setTopmost(WindowHandle /*window*/, bool /*topmost*/) {}
std::optional<Rect> FakePlatform::windowRect(WindowHandle /*window*/) {
    return std::nullopt;
}
std::u16string FakePlatform::windowClassName(WindowHandle window) {
    const auto found = windowClasses.find(window);
    return found == windowClasses.end() ? u"" : found->second;
}
std::optional<Caret> FakePlatform::caret(CaretSource source, uint64_t) {
    caretQuestions.push_back(source);
    const auto found = carets.find(source);
    return found == carets.end() ? std::nullopt : std::optional<Caret>(found->second);
}
Point FakePlatform::cursorPosition() {
    return cursor;
}
PixelScale FakePlatform::systemScale() {
    return PixelScale{monitors.front().dpi};
}

// The monitor that holds the point, else the one nearest to it.
Monitor FakePlatform::monitorAt(Point point) {
    const auto distance = [&](const Rect& r) {
        const int64_t dx =
            point.x < r.left ? r.left - point.x : std::max(0, point.x - (r.right - 1));
        const int64_t dy =
            point.y < r.top ? r.top - point.y : std::max(0, point.y - (r.bottom - 1));
        return dx * dx + dy * dy;
    };
    return *std::min_element(monitors.begin(), monitors.end(),
                             [&](const Monitor& a, const Monitor& b) {
                                 return distance(a.bounds) < distance(b.bounds);
                             });
}

void FakePlatform::setWindowRoundRegion(WindowHandle /*window*/, const Rect& /*box*/,
                                        Size /*corner*/, const Point* /*tail*/,
                                        int /*tailPoints*/) {}

void FakePlatform::setWindowOpacity(WindowHandle window, int alpha) {
    opacity[window] = alpha;
}

// Every character is 8 x 16 pixels at 9 points and 96 dpi.
Size FakePlatform::measureText(const std::u16string& text, const std::u16string& /*fontName*/,
                               int pointSize, int dpi) {
    const int64_t scale = int64_t{pointSize} * dpi;
    return Size{static_cast<int32_t>(static_cast<int64_t>(text.size()) * 8 * scale / (9 * 96)),
                static_cast<int32_t>(16 * scale / (9 * 96))};
}

void FakePlatform::addTrayIcon(WindowHandle /*window*/, const std::u16string& tip) {
    trayIconShown = true;
    trayTip = tip;
    ++trayIconAdds;
}

void FakePlatform::removeTrayIcon() {
    trayIconShown = false;
}

void FakePlatform::popupMenu(ui::Menu& menu, Point at) {
    poppedMenus.push_back(menu.caption());
    menuPlace = at;
    openMenu = &menu;
    if (duringMenu) {
        const auto events = std::move(duringMenu);
        duringMenu = nullptr;
        events();
    }
}

std::u16string FakePlatform::mapText(std::u16string_view text, TextMapping mapping) {
    return mapByTables(text, mapping);
}

bool FakePlatform::dangerousFileType(const std::u16string& target) {
    const std::u16string lower = asciiLowered(target);
    return std::any_of(dangerousSuffixes.begin(), dangerousSuffixes.end(),
                       [&](const std::u16string& suffix) { return lower.ends_with(suffix); });
}

void FakePlatform::shellOpen(const std::u16string& target, ShellOpened done) {
    shellOpened.push_back(target);
    done(shellAnswer, shellAnswer > 32 ? u"" : shellFailureWords);
}

int FakePlatform::messageBox(const std::u16string& text, const std::u16string& title, int style) {
    messages.push_back(Message{text, title, style});
    // The box is the foreground window while it is up, and the program's
    // timers go on ticking in its modal loop.
    const WindowHandle before = foreground;
    foreground = kMessageBoxWindow;
    if (whileMessageShown) {
        whileMessageShown();
    }
    if (duringMessage) {
        const auto events = std::move(duringMessage);
        duringMessage = nullptr;
        events();
    }
    if (foreground == kMessageBoxWindow) {
        foreground = before;
    }
    if (!messageAnswers.empty()) {
        const int answer = messageAnswers.front();
        messageAnswers.pop_front();
        const int key = messageAnswerKeys.empty() ? 0 : messageAnswerKeys.front();
        if (!messageAnswerKeys.empty()) {
            messageAnswerKeys.pop_front();
        }
        if (key != 0 && recordKeyPresses) {
            keyPresses.push_back(KeyPress{key, false, false, false, false, now, true});
        }
        return answer;
    }
    return (style & 0xF) == kMbYesNo ? kIdNo : kIdOk;
}

std::optional<std::u16string> FakePlatform::saveFileDialog(const std::u16string& /*filter*/,
                                                           int /*flags*/) {
    return saveDialogAnswer;
}

void FakePlatform::awaitOfferedTextTaken(uint64_t until) {
    if (whileAwaitingPaste) {
        whileAwaitingPaste(until);
    }
    now = std::max(now, offeredTaken ? now : until);
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

// Writes a temporary file beside the target and puts it in the target's
// place only when the whole write succeeded, the old file kept as PATH.bak.
FileWrite FakePlatform::writeFile(const std::u16string& path, std::string_view bytes) {
    if (failingWrites.count(path) > 0) {
        return FileWrite::Failed;
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
            return FileWrite::Failed;
        }
    }
    // Windows refuses to replace a read-only file or one another program
    // holds; the new text stays beside it.
    if (heldFiles.contains(path) || !canWrite(path)) {
        return FileWrite::LeftAside;
    }
    std::error_code error;
    if (fs::exists(target, error)) {
        fs::path backup = target;
        backup += ".bak";
        fs::copy_file(target, backup, fs::copy_options::overwrite_existing, error);
    }
    fs::rename(temporary, target, error);
    if (error) {
        return FileWrite::LeftAside;
    }
    writtenFiles.push_back(path);
    trayIconShownAtWrites.push_back(trayIconShown);
    return FileWrite::Written;
}

void FakePlatform::writeFilesInBackground(std::vector<FileToWrite> files,
                                          std::function<void(std::vector<FileWrite>)> done) {
    runBackgroundWrites();  // one batch at a time
    backgroundFiles = std::move(files);
    backgroundDone = std::move(done);
    if (!writesLater) {
        runBackgroundWrites();
    }
}

void FakePlatform::runBackgroundWrites() {
    if (!backgroundDone) {
        return;
    }
    std::vector<FileWrite> outcomes;
    for (const FileToWrite& file : std::exchange(backgroundFiles, {})) {
        outcomes.push_back(writeFile(file.path, file.bytes));
    }
    std::exchange(backgroundDone, nullptr)(std::move(outcomes));
}

bool FakePlatform::canWrite(const std::u16string& path) {
    std::error_code status;
    const fs::path target(toUtf8(path));
    if (!fs::exists(target, status)) {
        return true;
    }
    return (fs::status(target, status).permissions() & fs::perms::owner_write) != fs::perms::none;
}

uint64_t FakePlatform::milliseconds() {
    return now;
}

namespace {

// Days since 1970-01-01 of a date, and back (the proleptic Gregorian calendar).
int64_t daysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void civilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

LocalDateTime FakePlatform::localNow() {
    const int64_t start = daysFromCivil(localTime.year, localTime.month, localTime.day) * 86400 +
                          localTime.hour * 3600 + localTime.minute * 60 + localTime.second;
    const int64_t seconds = start + static_cast<int64_t>(now / 1000);
    LocalDateTime time;
    civilFromDays(seconds / 86400, time.year, time.month, time.day);
    time.hour = static_cast<int>(seconds % 86400 / 3600);
    time.minute = static_cast<int>(seconds % 3600 / 60);
    time.second = static_cast<int>(seconds % 60);
    return time;
}

}  // namespace wordvane
