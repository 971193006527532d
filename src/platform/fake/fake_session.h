#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "app/app.h"
#include "platform/fake/fake_platform.h"

namespace wordvane {

// A user at the fake desktop: types into an application that has the
// keyboard (a simple edit box), presses hotkeys and copies texts, while the
// program's timers run. Each tick is 10 ms, the platform's real timer step.
class FakeSession {
  public:
    FakeSession(FakePlatform& platform, App& app);
    ~FakeSession() { platform_.whileMessageShown = nullptr; }
    FakeSession(const FakeSession&) = delete;
    FakeSession& operator=(const FakeSession&) = delete;

    // One main tick, and every other timer of the program whose interval is
    // up.
    void tick(int count = 1);
    // A key pressed and released, one tick each. A combination the program
    // holds as a hotkey goes to the program instead of the application.
    void press(int virtualKey, bool shift = false, bool ctrl = false, bool alt = false);
    // Each character pressed and released; a character no key spells (as
    // from an input method) reaches the application without a key.
    void type(const std::u16string& text);
    // The characters typed faster than the program's ticks: all of them go
    // down and up between two ticks.
    void typeBurst(const std::u16string& text);
    // A navigation hotkey by its key ("tab", "down", "up", "return", ...) or
    // the list hotkey of list `list`. A navigation key that is no hotkey at
    // the moment is pressed: it reaches whoever has the keyboard.
    bool hotkey(const std::u16string& name);
    bool listHotkey(int list);
    // The user copies a text in another application.
    void copy(const std::u16string& text);
    // The user selects the whole text of the application, or `length`
    // characters from `from` (the caret goes to the selection's end).
    void selectAll();
    void select(size_t from, size_t length);
    // Forgets what the desktop recorded so far (keys sent, texts pasted), for
    // long runs; the application keeps its text.
    void forgetRecords();

    // The tray icon's left or right button (its mouse message number).
    void trayIcon(int mouseMessage);
    // Chooses the visible item with `caption` in the pop-up menu that is open;
    // false when no menu is open or it has no such item.
    bool chooseMenuItem(const std::u16string& caption);
    // Presses the visible button with `caption` in a shown Wordvane window.
    bool click(const std::u16string& caption);
    // Toggles the check box `caption`, or chooses the entry `text` of a
    // drop-down list, in a shown Wordvane window.
    bool toggleCheckBox(const std::u16string& caption);
    bool chooseComboEntry(const std::u16string& text);
    // Clicks into an application's window: the program hears the click
    // while it watches the mouse, and the window comes to the front.
    void clickInto(WindowHandle window);
    // The user types `text` through the input method and commits it with
    // Return: a box of the program's that has the keyboard hears
    // VK_PROCESSKEY for the composition and its Return (unless a Return
    // hotkey takes that key first), then takes the text; the application
    // takes it without a key the program reads.
    void imeCommit(const std::u16string& text);
    // The right button on the shown candidate list: its list menu.
    void rightClickList();
    // Clicks into the control named `name` of a shown Wordvane window.
    bool focus(const std::u16string& name);
    // Types into the focused field of a shown Wordvane window: each key
    // reaches the field's key handler, then the field; with `replace` the
    // field's text is selected and deleted first. False when no field of a
    // shown window has the focus.
    bool typeIntoField(const std::u16string& text, bool replace = false);
    // How many main ticks ran (a sleeping tick does not).
    uint64_t mainTicks() const { return mainTicks_; }
    // The shown windows of the program, Form1 to Form9 by number.
    std::vector<int> shownWindows() const;

    // How long the application takes to read the clipboard after a paste
    // key (a remote desktop, a busy application); 0: at once.
    uint64_t pasteDelayMs = 0;

    // What the application has received, and its caret.
    const std::u16string& applicationText() const { return text_; }
    size_t caret() const { return caret_; }

    // The key and Shift state that types `c`; empty for characters no key
    // spells.
    static std::optional<std::pair<int, bool>> keyFor(char16_t c);
    // A virtual key by its spelling or name ("tab", "return", "a", "F5" is not
    // known); 0 when unknown.
    static int virtualKeyNamed(const std::u16string& name);

  private:
    // The first visible control of kind `Control` in a shown window that
    // `matches`; null when there is none.
    template <typename Control, typename Matches>
    Control* shownControl(Matches matches) const {
        for (int number : shownWindows()) {
            for (const ui::ControlSlot& slot : app_.forms.byNumber(number).controls()) {
                auto* control = dynamic_cast<Control*>(slot.control);
                if (control != nullptr && control->visible() && matches(*control)) {
                    return control;
                }
            }
        }
        return nullptr;
    }
    void receiveUserKey(int virtualKey, bool shift, bool ctrl);
    void recordPress(int virtualKey, bool shift, bool ctrl, bool alt);
    void receiveSyntheticKeys();
    void pasteWhatIsDue();
    void fireDueTimers();
    void deliverDesktopEvents();
    // A message reaches one of the program's windows.
    void event();
    void insert(const std::u16string& text);
    // The program's shown window that has the keyboard; null when the
    // application has it.
    ui::Window* ownWindowInFront() const;
    void keyIntoOwnWindow(ui::Window& window, int virtualKey, bool shift, bool ctrl);
    static void typeIntoBox(ui::TextBox& box, const std::u16string& typed);
    static bool typesCharacter(int virtualKey, bool shift);
    // The application reads the clipboard's text, if any, and inserts it.
    void paste();
    void replaceSelection();
    // The selected characters [first, second); empty at the caret.
    std::pair<size_t, size_t> selection() const;
    std::optional<int16_t> hotKeyIdFor(int virtualKey, int32_t modifiers) const;
    void sendHotKey(int16_t id);

    FakePlatform& platform_;
    App& app_;
    std::u16string text_;
    size_t caret_ = 0;
    // The selection runs from here to the caret.
    std::optional<size_t> selectionStart_;
    size_t sentKeysSeen_ = 0;
    // When the applications that read late take the clipboard, one paste
    // after another.
    std::deque<uint64_t> pastesDue_;
    bool syntheticCtrl_ = false;
    bool syntheticShift_ = false;
    // When each running timer was last started or fired, and by which start.
    struct Armed {
        uint64_t start = 0;
        uint64_t at = 0;
    };
    std::map<const ui::Timer*, Armed> armed_;
    // The keys and the clipboard as the program was last told of them.
    std::set<int> keysDelivered_;
    uint32_t clipboardDelivered_ = 0;
    uint64_t mainTicks_ = 0;
};

}  // namespace wordvane
