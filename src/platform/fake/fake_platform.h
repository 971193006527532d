#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace wordvane {

// The test double of the desktop: keeps everything in memory, answers what a
// test scripted and records what the program did. Files are real files in
// the program folder the test gives.
class FakePlatform : public Platform {
  public:
    // `folder` is the program folder on this machine (UTF-8).
    explicit FakePlatform(const std::string& folder);

    struct Message {
        std::u16string text;
        std::u16string title;
        int style = 0;
    };
    struct HotKey {
        WindowHandle window = 0;
        int32_t modifiers = 0;
        int32_t virtualKey = 0;
    };

    // What a test scripts.
    std::deque<int> messageAnswers;  // next answers; otherwise OK, or No for Yes/No
    // The key that gives each of those answers (Return, Y, N...); 0: a click.
    // The desktop records its press while the box has the keyboard.
    std::deque<int> messageAnswerKeys;
    std::set<int> keysDown;
    std::set<int> keysPressed;  // pressed since the last poll; each poll takes its key
    // Whether the desktop tells the program of key movements; without it
    // every poll asks every key.
    bool keysWatched = true;
    size_t keyQuestions = 0;  // how often a key's state was asked
    // The user's key presses, recorded in order as raw input records them
    // (off: the keys are only polled, as without raw input).
    bool recordKeyPresses = false;
    std::vector<KeyPress> keyPresses;
    std::optional<std::u16string> clipboard;
    // Another program holds the clipboard open: it can be neither read nor
    // written.
    bool clipboardBusy = false;
    // The clipboard carries the marks that ask histories to leave it out (a
    // password manager's copy, or the program's own insertion).
    bool clipboardExcluded = false;
    // The text on the clipboard was offered and an application has read it.
    bool offeredTaken = false;
    // The program put the clipboard's content there, and nobody copied since.
    bool clipboardProgramsOwn = false;
    // The clipboard's formats besides its text (an image, a file list...),
    // the names of the registered ones, and the formats its owner had to
    // render because the program asked for them.
    std::map<uint32_t, std::string> clipboardFormats;
    std::map<uint32_t, std::u16string> clipboardFormatNames;
    std::vector<uint32_t> formatsRendered;
    std::optional<std::u16string> sessionEndBlockedFor;
    WindowHandle foreground = 0x42;
    std::map<WindowHandle, std::u16string> windowClasses;
    // The system's foreground rules, with `foregroundLock` on: the program
    // brings one of its windows to the front only while it handles the
    // user's input (`inputToProgram`: a hotkey, a click into its windows) or
    // while one of its windows is in front already; otherwise the call
    // changes nothing and counts in `foregroundRefused`.
    bool foregroundLock = false;
    // The user's Run value for Wordvane.
    std::optional<std::u16string> signIn;
    // The control with the keyboard in the foreground window (0: not told),
    // and the mouse clicks heard while they are watched.
    WindowHandle focusedControlOf = 0;
    bool mouseWatched = false;
    std::vector<WindowHandle> mouseClicks;
    bool inputToProgram = false;
    int foregroundRefused = 0;
    std::set<WindowHandle> closedWindows;  // windows that no longer exist
    // The process of a window (its own handle unless set; the program's
    // windows are process 1), and the windows of elevated applications.
    std::map<WindowHandle, uint32_t> windowProcesses;
    std::set<WindowHandle> elevatedWindows;
    // The caret as each source tells it, and the sources asked, in order.
    std::map<CaretSource, Caret> carets;
    std::vector<CaretSource> caretQuestions;
    Point cursor;
    // The first monitor is the primary one.
    std::vector<Monitor> monitors{Monitor{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 96}};
    std::optional<std::u16string> saveDialogAnswer;
    bool otherInstance = false;
    std::set<std::u16string> failingWrites;  // paths whose writing fails
    // Files another program holds open: they cannot be replaced.
    std::set<std::u16string> heldFiles;
    // Milliseconds since the session began; the local date and time move on
    // with it from `localTime`.
    uint64_t now = 0;
    LocalDateTime localTime{2026, 12, 7, 9, 30, 0};

    // What the program did.
    std::vector<Message> messages;
    std::vector<std::pair<int, bool>> sentKeys;
    // How many keystrokes of one sequence the system lets through (none for
    // an elevated application); unlimited when empty.
    std::optional<size_t> keystrokeLimit;
    // The characters of a foreground keyboard layout other than the
    // Japanese one, by (virtual key, Shift); empty: the Japanese layout.
    std::map<std::pair<int, bool>, std::u16string> layoutCharacters;
    // What a key types with AltGr (Ctrl+Alt) on that layout.
    std::map<std::pair<int, bool>, std::u16string> altGrCharacters;
    bool imeIsOpen = false;  // the foreground window's IME
    std::vector<std::u16string> pastedTexts;
    uint32_t clipboardChanges = 0;
    std::map<int32_t, HotKey> registeredHotKeys;
    std::map<WindowHandle, int> opacity;
    int hotKeyUnregistrations = 0;
    bool trayIconShown = false;
    // For each file written, whether the tray icon was still there.
    std::vector<bool> trayIconShownAtWrites;
    std::u16string trayTip;
    int trayIconAdds = 0;
    std::vector<std::u16string> poppedMenus;
    // The pop-up menu that is open: the last one popped up, until an item of
    // it is chosen or it is closed.
    ui::Menu* openMenu = nullptr;
    // Where the last pop-up menu opened, and the icon's place the shell
    // gives when its menu is opened from the keyboard.
    Point menuPlace;
    std::optional<Point> trayAnchor;
    // What screen readers were told of the candidate list: line and text.
    std::vector<std::pair<int, std::u16string>> announcements;
    std::vector<std::u16string> shellOpened;
    int shellAnswer = 42;  // the shell's code for every open
    std::u16string shellFailureWords = u"指定されたファイルが見つかりません。";
    // The suffixes of the file types the system calls dangerous.
    std::vector<std::u16string> dangerousSuffixes{u".js", u".reg", u".msi", u".jar"};
    std::vector<std::u16string> writtenFiles;
    // The desktop while the program waits for its offered text to be taken
    // (the fake session lets the applications read it), up to the time
    // given.
    std::function<void(uint64_t until)> whileAwaitingPaste;
    // Runs once while the next message box is open (its loop lets the
    // program's timers run).
    std::function<void()> duringMessage;
    // Runs once while the next pop-up menu is open, as the menu's own loop
    // does (a test chooses an item there); without it the menu stays open
    // after the call, for a later choice.
    std::function<void()> duringMenu;
    // Runs while any message box is open (a user at the fake desktop lets
    // the program's timers tick there); the box is the foreground window
    // meanwhile.
    std::function<void()> whileMessageShown;
    static constexpr WindowHandle kMessageBoxWindow = 0x100F;
    bool exited = false;

    // Platform
    bool keyDown(int virtualKey) override;
    bool keyActive(int virtualKey) override;
    bool keysMayHaveChanged() override;
    bool recordsKeyPresses() override { return recordKeyPresses; }
    bool listensForKeys() override { return keysWatched; }
    std::vector<KeyPress> takeKeyPresses() override {
        return std::exchange(keyPresses, std::vector<KeyPress>{});
    }
    size_t sendKeys(const std::vector<KeyStroke>& keys) override;
    bool imeOpen() override { return imeIsOpen; }
    std::optional<std::u16string> layoutCharacter(int virtualKey, bool shift, bool altGr) override {
        const auto& characters = altGr ? altGrCharacters : layoutCharacters;
        const auto found = characters.find({virtualKey, shift});
        return found == characters.end() ? std::nullopt : std::optional(found->second);
    }
    int scanCode(int virtualKey) override;
    std::optional<std::u16string> clipboardText() override;
    bool putClipboardText(const std::u16string& text) override;
    bool offerClipboardText(const std::u16string& text) override;
    bool offeredTextTaken() override { return offeredTaken; }
    // The application pastes: it reads the clipboard's text, and takes an
    // offered text.
    std::optional<std::u16string> pasteClipboard() {
        offeredTaken = offeredTaken || clipboard.has_value();
        return clipboard;
    }
    uint32_t clipboardChangeCount() override;
    bool clipboardIsProgramsOwn() override { return clipboardProgramsOwn; }
    ClipboardCopy copyClipboardForHistory(size_t maxCharacters) override;
    void blockSessionEnd(const std::u16string& reason) override { sessionEndBlockedFor = reason; }
    void allowSessionEnd() override { sessionEndBlockedFor.reset(); }
    std::optional<ClipboardSnapshot> saveClipboard() override;
    bool restoreClipboard(const ClipboardSnapshot& snapshot) override;
    bool registerHotKey(WindowHandle window, int32_t id, int32_t modifiers,
                        int32_t virtualKey) override;
    bool unregisterHotKey(WindowHandle window, int32_t id) override;
    WindowHandle foregroundWindow() override;
    uint32_t processOf(WindowHandle window) override {
        const auto found = windowProcesses.find(window);
        if (found != windowProcesses.end()) {
            return found->second;
        }
        // The program's own windows (the forms' handles) are process 1.
        return window > 0x1000 && window < 0x1010 ? 1 : static_cast<uint32_t>(window);
    }
    uint32_t ownProcess() override { return 1; }
    bool elevatedAboveUs(WindowHandle window) override { return elevatedWindows.contains(window); }
    void setForegroundWindow(WindowHandle window) override;
    bool isWindow(WindowHandle window) override;
    void setTopmost(WindowHandle window, bool topmost) override;
    std::optional<Rect> windowRect(WindowHandle window) override;
    std::u16string windowClassName(WindowHandle window) override;
    std::optional<Caret> caret(CaretSource source, uint64_t answerBy) override;
    WindowHandle focusedControl() override { return focusedControlOf; }
    void watchMouseClicks(bool on) override {
        mouseWatched = on;
        mouseClicks.clear();
    }
    std::vector<WindowHandle> takeMouseClicks() override { return std::exchange(mouseClicks, {}); }
    Point cursorPosition() override;
    PixelScale systemScale() override;
    Monitor monitorAt(Point point) override;
    void setWindowRoundRegion(WindowHandle window, const Rect& box, Size corner, const Point* tail,
                              int tailPoints) override;
    void setWindowOpacity(WindowHandle window, int alpha) override;
    Size measureText(const std::u16string& text, const std::u16string& fontName, int pointSize,
                     int dpi) override;
    void addTrayIcon(WindowHandle window, const std::u16string& tip) override;
    void removeTrayIcon() override;
    Point trayMenuPlace() override { return trayAnchor.value_or(cursor); }
    void announceSelection(WindowHandle /*window*/, int line, const std::u16string& text) override {
        announcements.emplace_back(line, text);
    }
    void popupMenu(ui::Menu& menu, Point at) override;
    void shellOpen(const std::u16string& target, ShellOpened done) override;
    bool dangerousFileType(const std::u16string& target) override;
    // By the tables made from the system's mappings.
    std::u16string mapText(std::u16string_view text, TextMapping mapping) override;
    int messageBox(const std::u16string& text, const std::u16string& title, int style) override;
    std::optional<std::u16string> saveFileDialog(const std::u16string& filter, int flags) override;
    void awaitOfferedTextTaken(uint64_t until) override;
    std::u16string programFolder() override;
    std::u16string programPath() override { return programFolder() + u"wordvane.exe"; }
    std::optional<std::u16string> signInCommand() override { return signIn; }
    bool setSignInCommand(const std::optional<std::u16string>& command) override {
        signIn = command;
        return true;
    }
    bool anotherInstanceRunning() override;
    void exitProcess() override;
    std::optional<std::string> readFile(const std::u16string& path) override;
    FileWrite writeFile(const std::u16string& path, std::string_view bytes) override;
    void writeFilesInBackground(std::vector<FileToWrite> files,
                                std::function<void(std::vector<FileWrite>)> done) override;
    void finishBackgroundWrites() override { runBackgroundWrites(); }
    // With `writesLater` a batch written in the background waits here until
    // runBackgroundWrites (a slow disk, a file a sync client holds); without,
    // it is written at once.
    bool writesLater = false;
    std::vector<FileToWrite> backgroundFiles;
    std::function<void(std::vector<FileWrite>)> backgroundDone;
    void runBackgroundWrites();
    bool canWrite(const std::u16string& path) override;
    uint64_t milliseconds() override;
    LocalDateTime localNow() override;

  private:
    std::u16string folder_;
    std::set<int> keysSeen_;  // keysDown when keysMayHaveChanged was last asked
};

}  // namespace wordvane
