#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wordvane {

// A window of any application, as the desktop knows it. 0 is no window.
using WindowHandle = std::uintptr_t;

struct Point {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct Size {
    int32_t width = 0;
    int32_t height = 0;
};

// Twips (1/1440 inch) and the pixels of a screen at `dpi` dots per inch,
// exact at every DPI: a width read in pixels and written back in pixels at
// the same DPI never drifts.
struct PixelScale {
    int dpi = 96;
    int32_t pixels(int32_t twips) const { return divideRounded(int64_t{twips} * dpi, 1440); }
    int32_t twips(int32_t pixels) const { return divideRounded(int64_t{pixels} * 1440, dpi); }
    bool operator==(const PixelScale&) const = default;

  private:
    static int32_t divideRounded(int64_t value, int64_t by) {
        const int64_t half = by / 2;
        return static_cast<int32_t>(value >= 0 ? (value + half) / by : -((-value + half) / by));
    }
};

// Twips per pixel at 96 dpi (100 %), the scale the program's pixel figures
// are drawn for.
inline constexpr int32_t kTwipsPerPixelAt96Dpi = 15;

// A display: its whole area and the part windows may use (without the task
// bar), in screen pixels, and its DPI.
struct Monitor {
    Rect bounds;
    Rect workArea;
    int dpi = 96;
};

struct KeyStroke {
    int virtualKey = 0;
    bool up = false;
};

// A key the user pressed, with the modifier keys held at that moment and
// when (the platform's milliseconds).
struct KeyPress {
    int virtualKey = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool win = false;
    uint64_t at = 0;
    // Typed into one of the program's own windows (a dialog, a question, the
    // description): never typing in the application.
    bool ownWindow = false;
    // Ctrl and Alt came from the right Alt, AltGr on the layouts that have it
    // (the system adds the Ctrl).
    bool altGr = false;
};

enum class FileWrite { Written, Failed, LeftAside };

struct FileToWrite {
    std::u16string path;
    std::string bytes;
};

// A caret: its top left in screen pixels, the class name of the window that
// has it, and its height in pixels (0 when the source does not tell).
struct Caret {
    Point position;
    std::u16string windowClass;
    int32_t height = 0;
};

// Where a caret can be learnt, in the order they are asked: the caret the
// focus window's thread reports, the accessibility caret, and the text
// selection that UI Automation reports.
enum class CaretSource { ThreadInfo, Accessible, Automation };
inline constexpr CaretSource kCaretSources[] = {CaretSource::ThreadInfo, CaretSource::Accessible,
                                                CaretSource::Automation};

// What a clipboard history may take from the clipboard.
struct ClipboardCopy {
    enum class Status {
        Text,      // `text` is the clipboard's text
        NoText,    // the clipboard holds no text (an image, a file list, nothing)
        Excluded,  // the copy asks clipboard histories to leave it out
        TooLong,   // longer than asked for; not read
        Busy,      // another program holds the clipboard open
    };
    Status status = Status::NoText;
    std::u16string text;
};

// Everything the clipboard holds, format by format, as bytes (a text, an
// image as CF_DIB, a file list, HTML, a password manager's marks...).
struct ClipboardSnapshot {
    struct Format {
        uint32_t id = 0;
        std::string bytes;
    };
    std::vector<Format> formats;
};

inline constexpr uint32_t kClipboardUnicodeText = 13;

// The portable clipboard formats, the only ones a save of the user's
// clipboard asks for: asking for a format makes an owner that renders late (a
// spreadsheet, a word processor) render it, which for every format of a large
// range freezes it for seconds, and its own and OLE formats mean nothing
// without it. Text with its locale (the system makes the other text forms),
// HTML, RTF, images as DIB and PNG, and files; `registeredName` for a format
// registered by name.
inline bool portableClipboardFormat(uint32_t id, std::u16string_view registeredName) {
    constexpr uint32_t kStandard[] = {1 /* text */, 13 /* Unicode text */, 16 /* locale */,
                                      8 /* DIB */,  17 /* DIBV5 */,        15 /* file drop */};
    for (uint32_t standard : kStandard) {
        if (id == standard) {
            return true;
        }
    }
    for (std::u16string_view name : {u"HTML Format", u"Rich Text Format", u"PNG", u"FileNameW",
                                     u"FileName", u"Preferred DropEffect"}) {
        if (registeredName == name) {
            return true;
        }
    }
    return false;
}

// The system's character mappings: lowercase; narrow forms (full-width
// letters, digits and katakana to half-width); wide forms (the reverse, a
// half-width katakana and its voiced mark joined into one character);
// hiragana to katakana; katakana to hiragana.
enum class TextMapping { Lowercase, Halfwidth, Fullwidth, Katakana, Hiragana };

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Message box styles and answers, with the desktop's numbers.
inline constexpr int kMbOk = 0;
inline constexpr int kMbYesNo = 4;
inline constexpr int kMbIconExclamation = 48;
inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Hotkey modifier flags.
inline constexpr int32_t kModAlt = 1;
inline constexpr int32_t kModControl = 2;
inline constexpr int32_t kModShift = 4;
inline constexpr int32_t kModWin = 8;
// Not part of a combination: a held hotkey fires once, not on every repeat.
inline constexpr int32_t kModNoRepeat = 0x4000;

namespace ui {
class Menu;
}

// The one door to the desktop. Every service the program needs from the
// system is asked for here, named for what the program wants; the Win32
// backend provides it on Windows and the fake provides it to the tests.
class Platform {
  public:
    virtual ~Platform() = default;

    // Keyboard. `keyActive` is true when the key is down now or went down
    // since the previous poll of that key; `keyDown` only when it is down now.
    virtual bool keyDown(int virtualKey) = 0;
    virtual bool keyActive(int virtualKey) = 0;
    // False only when no key can have gone down or up anywhere since the
    // previous call, so that a poll of the keys would find what the
    // previous poll found; true whenever the platform cannot tell.
    virtual bool keysMayHaveChanged() = 0;
    // Every key movement will reach the program as an event, so that it may
    // stop polling until one comes: asked before the main tick sleeps, it
    // makes sure now (and listens again where something took it away).
    virtual bool listensForKeys() = 0;
    // The user's key presses in the order they happened, when the platform
    // records them (raw keyboard input on Windows): the oldest first, the
    // program's own keystrokes and a held key's repeats left out, so that no
    // key is lost when several come between two polls. `recordsKeyPresses`
    // is false when the keys can only be polled.
    virtual bool recordsKeyPresses() = 0;
    virtual std::vector<KeyPress> takeKeyPresses() = 0;
    // Keystrokes go to the foreground application as one uninterrupted
    // sequence; the result is how many went out (fewer when the system
    // refuses them, as for an application that runs elevated).
    virtual size_t sendKeys(const std::vector<KeyStroke>& keys) = 0;
    void sendKey(int virtualKey, bool keyUp) { sendKeys({KeyStroke{virtualKey, keyUp}}); }
    // The character `virtualKey` (with Shift, with AltGr) types in the
    // foreground window's keyboard layout, when that layout is not the
    // Japanese one and the key types one character; the keyboard's dead-key
    // state is left as it was.
    virtual std::optional<std::u16string> layoutCharacter(int virtualKey, bool shift,
                                                          bool altGr) = 0;
    // The foreground window's input method is on: the letters go to its
    // composition, not into the document.
    virtual bool imeOpen() = 0;
    virtual int scanCode(int virtualKey) = 0;

    // Clipboard. `clipboardText` is empty when the clipboard holds no text or
    // cannot be opened. `putClipboardText` marks the text as one the program
    // only pastes, so that clipboard histories leave it out; it reports
    // whether the clipboard could be written. The change counter grows with
    // every change of the clipboard by anyone.
    virtual std::optional<std::u16string> clipboardText() = 0;
    virtual bool putClipboardText(const std::u16string& text) = 0;
    // The same text offered to be rendered when a program first asks for it
    // (an insertion's): `offeredTextTaken` tells whether another program has
    // asked for it since, the program's own reads not counting.
    virtual bool offerClipboardText(const std::u16string& text) = 0;
    virtual bool offeredTextTaken() = 0;
    virtual uint32_t clipboardChangeCount() = 0;
    // The program put what the clipboard holds (it owns the clipboard): an
    // application that renders an offered text leaves it so, a copy by anyone
    // else does not.
    virtual bool clipboardIsProgramsOwn() = 0;
    // The clipboard's text for the history: a copy marked for clipboard
    // histories to leave out ("ExcludeClipboardContentFromMonitorProcessing",
    // "CanIncludeInClipboardHistory" 0, "Clipboard Viewer Ignore") is
    // excluded, and a text longer than `maxCharacters` is not copied.
    virtual ClipboardCopy copyClipboardForHistory(size_t maxCharacters) = 0;
    // Every format of the clipboard, to put back later; none when the
    // clipboard cannot be opened.
    virtual std::optional<ClipboardSnapshot> saveClipboard() = 0;
    // Empties the clipboard and puts every format of `snapshot` back,
    // marked for clipboard histories to leave out; an empty snapshot leaves
    // the clipboard empty.
    virtual bool restoreClipboard(const ClipboardSnapshot& snapshot) = 0;

    // Global hotkeys, registered on a window under the program's own ids.
    virtual bool registerHotKey(WindowHandle window, int32_t id, int32_t modifiers,
                                int32_t virtualKey) = 0;
    virtual bool unregisterHotKey(WindowHandle window, int32_t id) = 0;

    // Windows and focus.
    virtual WindowHandle foregroundWindow() = 0;
    virtual void setForegroundWindow(WindowHandle window) = 0;
    // The process a window belongs to (0 for none), and whether that process
    // runs elevated while this program does not (it then refuses our keys).
    virtual uint32_t processOf(WindowHandle window) = 0;
    virtual uint32_t ownProcess() = 0;
    virtual bool elevatedAboveUs(WindowHandle window) = 0;
    virtual bool isWindow(WindowHandle window) = 0;
    virtual void setTopmost(WindowHandle window, bool topmost) = 0;
    virtual std::optional<Rect> windowRect(WindowHandle window) = 0;
    virtual std::u16string windowClassName(WindowHandle window) = 0;

    // The caret of the foreground window's focused control as `source`
    // tells it. No caret, or no answer by `answerBy` (the platform's
    // milliseconds): empty.
    virtual std::optional<Caret> caret(CaretSource source, uint64_t answerBy) = 0;
    // The control that has the keyboard in the foreground window's thread;
    // 0 when it cannot be told.
    virtual WindowHandle focusedControl() = 0;
    // While on, the mouse button presses anywhere on the desktop are heard:
    // takeMouseClicks gives the top-level windows they landed in, in order.
    virtual void watchMouseClicks(bool on) = 0;
    virtual std::vector<WindowHandle> takeMouseClicks() = 0;
    // The mouse pointer, in screen pixels.
    virtual Point cursorPosition() = 0;

    // Screen. `systemScale` is the scale of the primary monitor, the one
    // for windows that are not placed at the caret or the pointer;
    // `monitorAt` the monitor that holds `point`, or the nearest one.
    virtual PixelScale systemScale() = 0;
    virtual Monitor monitorAt(Point point) = 0;

    // Window shape and translucency (alpha 0..255).
    virtual void setWindowRoundRegion(WindowHandle window, const Rect& box, Size corner,
                                      const Point* tail, int tailPoints) = 0;
    virtual void setWindowOpacity(WindowHandle window, int alpha) = 0;

    // `text` mapped as the system maps it (LCMapStringEx on Windows).
    virtual std::u16string mapText(std::u16string_view text, TextMapping mapping) = 0;

    // Text measuring, in pixels at `dpi`.
    virtual Size measureText(const std::u16string& text, const std::u16string& fontName,
                             int pointSize, int dpi) = 0;

    // The notification-area icon and pop-up menus.
    virtual void addTrayIcon(WindowHandle window, const std::u16string& tip) = 0;
    virtual void removeTrayIcon() = 0;
    // Where the icon's menu opens: at the icon when it was opened from the
    // keyboard (Win+B, then Enter or the context-menu key), else at the
    // pointer.
    virtual Point trayMenuPlace() = 0;
    // Tells screen readers that line `line` of the list box in `window` is
    // now the selected one, and has them read `text` (the entry and its
    // description).
    virtual void announceSelection(WindowHandle window, int line, const std::u16string& text) = 0;
    virtual void popupMenu(ui::Menu& menu, Point at) = 0;

    // Shell: opens a file, folder or web address with the program the system
    // has for it (its default action), with no parameters, without waiting
    // for it (a path on an unreachable server takes long); `done` gets the
    // shell's code later on the program's thread: above 32 is success, and
    // for a failure `why` holds the system's own words for it.
    using ShellOpened = std::function<void(int code, const std::u16string& why)>;
    virtual void shellOpen(const std::u16string& target, ShellOpened done) = 0;
    // The system counts the file type of `target` among those that run code
    // when opened (programs, scripts, installers, .reg, .cpl, .msc, .jar...).
    virtual bool dangerousFileType(const std::u16string& target) = 0;

    // Dialogs. `messageBox` returns the answer (kIdOk, kIdYes, kIdNo);
    // `saveFileDialog` the chosen path, empty when cancelled.
    virtual int messageBox(const std::u16string& text, const std::u16string& title, int style) = 0;
    virtual std::optional<std::u16string> saveFileDialog(const std::u16string& filter,
                                                         int flags) = 0;

    // Waits until another program has taken the offered clipboard text, or
    // until `until` (the platform's milliseconds), answering only the
    // requests for that text: no timer, hotkey or key of the program runs
    // meanwhile.
    virtual void awaitOfferedTextTaken(uint64_t until) = 0;

    // Process. While Windows ends the session, `blockSessionEnd` asks it to
    // wait (with `reason` shown to the user) until `allowSessionEnd`.
    virtual void blockSessionEnd(const std::u16string& reason) = 0;
    virtual void allowSessionEnd() = 0;
    virtual std::u16string programFolder() = 0;
    // The running program's own file.
    virtual std::u16string programPath() = 0;
    // What Windows starts at the user's sign-in under Wordvane's name (the
    // value "Wordvane" of HKCU\Software\Microsoft\Windows\CurrentVersion\Run):
    // empty when nothing; `setSignInCommand` with none removes it.
    virtual std::optional<std::u16string> signInCommand() = 0;
    virtual bool setSignInCommand(const std::optional<std::u16string>& command) = 0;
    virtual bool anotherInstanceRunning() = 0;
    virtual void exitProcess() = 0;

    // Files. `readFile` is empty when the file cannot be read. `writeFile`
    // writes PATH.saving and puts it in the file's place, the file it
    // replaces kept as PATH.bak; a file another program holds is tried
    // again for a while. When the new file cannot be written the old one is
    // as it was (Failed); when it cannot take the old one's place it stays
    // as PATH.saving (LeftAside).
    virtual std::optional<std::string> readFile(const std::u16string& path) = 0;
    virtual FileWrite writeFile(const std::u16string& path, std::string_view bytes) = 0;
    // Writes each file as writeFile does, in order, on another thread: the
    // program goes on meanwhile (a file a sync client or a virus scanner
    // holds takes seconds). `done` gets the outcomes later on the program's
    // thread. One batch at a time: `finishBackgroundWrites` waits for the
    // one under way, whose `done` has run when it returns.
    virtual void writeFilesInBackground(std::vector<FileToWrite> files,
                                        std::function<void(std::vector<FileWrite>)> done) = 0;
    virtual void finishBackgroundWrites() = 0;
    // Whether the program may write there: for a folder (a path ending in a
    // separator) a file can be made in it; for a file, it is absent or not
    // read-only.
    virtual bool canWrite(const std::u16string& path) = 0;

    // Clock: milliseconds since some start, and the local date and time.
    virtual uint64_t milliseconds() = 0;
    virtual LocalDateTime localNow() = 0;
};

}  // namespace wordvane
