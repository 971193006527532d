#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <functional>
#include <memory>
#include <optional>

#include "completion/ime_answers.h"
#include "platform/platform.h"
#include "platform/win32/key_press_recorder.h"
#include "platform/win32/win32_handles.h"

namespace wordvane::win32 {

// The message the tray icon sends to the main window, its mouse message in
// lParam.
inline constexpr UINT kTrayIconMessage = WM_APP + 1;
inline constexpr UINT kShellOpenedMessage = WM_APP + 2;
// The input desktop switched (a UAC prompt, the lock screen) and back.
inline constexpr UINT kDesktopSwitchedMessage = WM_APP + 3;
inline constexpr UINT kBackgroundWrittenMessage = WM_APP + 4;
// A timer's tick asked for at once (ui::Timer::fireSoon), its id in wParam.
inline constexpr UINT kTimerSoonMessage = WM_APP + 5;
// Form1's timer that adds the tray icon again while the shell is not ready
// (at sign-in); far above the ids of the forms' own timers.
inline constexpr UINT_PTR kTrayIconRetryTimer = 0x5756;
inline constexpr UINT_PTR kRegistrationRetryTimer = 0x5757;

// The real desktop.
class Win32Platform : public Platform {
  public:
    explicit Win32Platform(HINSTANCE instance);

    // The window that owns the clipboard writes, the tray icon and pop-up
    // menus (Form1).
    void setMainWindow(HWND window) { mainWindow_ = window; }
    // Adds the tray icon again after the shell restarted, or while it was
    // not ready for it.
    void restoreTrayIcon();
    // The mouse message the program takes a tray icon event for (0: none).
    // The tray icon's event (the callback's lParam) as a mouse message for
    // the program, 0 for none; `anchor` is the callback's wParam.
    int trayIconAction(UINT event, WPARAM anchor);
    Point trayMenuPlace() override;
    void announceSelection(WindowHandle window, int line, const std::u16string& text) override;

    bool keyDown(int virtualKey) override;
    bool keyActive(int virtualKey) override;
    bool keysMayHaveChanged() override;
    bool recordsKeyPresses() override;
    bool listensForKeys() override;
    std::vector<KeyPress> takeKeyPresses() override { return keyPresses_.take(); }
    // Key movements anywhere on the desktop reach `window` as WM_INPUT,
    // which calls rawInput; so do mouse buttons while they are watched.
    void watchKeyboard(HWND window);
    void rawInput(HRAWINPUT input);
    // The session was locked or unlocked, switched or resumed from sleep, or
    // the input desktop switched (a UAC prompt).
    void sessionChanged();
    WindowHandle focusedControl() override;
    void watchMouseClicks(bool on) override;
    std::vector<WindowHandle> takeMouseClicks() override;
    size_t sendKeys(const std::vector<KeyStroke>& keys) override;
    std::optional<std::u16string> layoutCharacter(int virtualKey, bool shift, bool altGr) override;
    bool imeOpen() override;
    int scanCode(int virtualKey) override;
    std::optional<std::u16string> clipboardText() override;
    bool putClipboardText(const std::u16string& text) override;
    bool offerClipboardText(const std::u16string& text) override;
    bool offeredTextTaken() override { return offeredTaken_; }
    // Form1's clipboard messages as the owner of an offered text: a program
    // asks for it (WM_RENDERFORMAT), the program ends while it is offered
    // (WM_RENDERALLFORMATS), another program took the clipboard over
    // (WM_DESTROYCLIPBOARD).
    void renderOfferedText(UINT format);
    void renderAllOffered();
    void offerEnded() { offeredText_.reset(); }
    uint32_t clipboardChangeCount() override;
    bool clipboardIsProgramsOwn() override;
    ClipboardCopy copyClipboardForHistory(size_t maxCharacters) override;
    void blockSessionEnd(const std::u16string& reason) override;
    void allowSessionEnd() override;
    std::optional<ClipboardSnapshot> saveClipboard() override;
    bool restoreClipboard(const ClipboardSnapshot& snapshot) override;
    bool registerHotKey(WindowHandle window, int32_t id, int32_t modifiers,
                        int32_t virtualKey) override;
    bool unregisterHotKey(WindowHandle window, int32_t id) override;
    WindowHandle foregroundWindow() override;
    uint32_t processOf(WindowHandle window) override;
    uint32_t ownProcess() override;
    bool elevatedAboveUs(WindowHandle window) override;
    void setForegroundWindow(WindowHandle window) override;
    bool isWindow(WindowHandle window) override;
    void setTopmost(WindowHandle window, bool topmost) override;
    std::optional<Rect> windowRect(WindowHandle window) override;
    std::u16string windowClassName(WindowHandle window) override;
    std::optional<Caret> caret(CaretSource source, uint64_t answerBy) override;
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
    void popupMenu(ui::Menu& menu, Point at) override;
    void shellOpen(const std::u16string& target, ShellOpened done) override;
    bool dangerousFileType(const std::u16string& target) override;
    std::u16string mapText(std::u16string_view text, TextMapping mapping) override;
    // Form1's message that an open on the shell's thread has ended.
    static void shellOpened(LPARAM request);
    int messageBox(const std::u16string& text, const std::u16string& title, int style) override;
    std::optional<std::u16string> saveFileDialog(const std::u16string& filter, int flags) override;
    void awaitOfferedTextTaken(uint64_t until) override;
    std::u16string programFolder() override;
    std::u16string programPath() override;
    std::optional<std::u16string> signInCommand() override;
    bool setSignInCommand(const std::optional<std::u16string>& command) override;
    bool anotherInstanceRunning() override;
    void exitProcess() override;
    std::optional<std::string> readFile(const std::u16string& path) override;
    FileWrite writeFile(const std::u16string& path, std::string_view bytes) override;
    void writeFilesInBackground(std::vector<FileToWrite> files,
                                std::function<void(std::vector<FileWrite>)> done) override;
    void finishBackgroundWrites() override;
    // The worker of background batch `batch` has ended (its message).
    void backgroundWritten(WPARAM batch);
    bool canWrite(const std::u16string& path) override;
    uint64_t milliseconds() override;
    LocalDateTime localNow() override;

  private:
    // Looks at the keyboard's registration and makes it again when it was
    // taken away.
    void keepWatchingKeyboard(ULONGLONG now);

    HINSTANCE instance_;
    HWND mainWindow_ = nullptr;
    UniqueHandle instanceMutex_;
    NOTIFYICONDATAW trayIcon_{};
    bool trayIconShown_ = false;
    int trayIconRetries_ = 0;
    bool trayVersion4_ = false;
    ULONGLONG lastKeySelect_ = 0;
    // Where the shell put the icon whose menu is being opened.
    std::optional<Point> trayAnchor_;
    bool keyboardWatched_ = false;
    ULONGLONG lastKeyboardInput_ = 0;
    KeyPressRecorder keyPresses_;
    ImeAnswers imeAnswers_;
    ULONGLONG lastWatchCheck_ = 0;
    bool mouseWatched_ = false;
    std::vector<WindowHandle> mouseClicks_;
    // The text offered on the clipboard until a program asks for it, whether
    // one did, and how deep the program is in reading the clipboard itself.
    std::optional<std::u16string> offeredText_;
    bool offeredTaken_ = false;
    int ownReads_ = 0;
    // The batch of files being written on the worker thread, and its thread.
    struct BackgroundWrite {
        std::vector<FileToWrite> files;
        std::vector<FileWrite> outcomes;
        std::function<void(std::vector<FileWrite>)> done;
        HWND reply = nullptr;
        WPARAM batch = 0;
    };
    WPARAM backgroundBatch_ = 0;
    std::unique_ptr<BackgroundWrite> backgroundWrite_;
    UniqueHandle backgroundThread_;
    void endBackgroundWrite();
};

}  // namespace wordvane::win32
