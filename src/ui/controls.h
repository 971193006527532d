#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace wordvane::ui {

// Base of every control model: holds its state and tells its binding (the
// real control of the Win32 backend, if any) when that state changes.
class Model {
  public:
    Model() = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
    virtual ~Model() = default;

    void setBinding(std::function<void()> onChange) { binding_ = std::move(onChange); }

  protected:
    void changed() {
        if (binding_) {
            binding_();
        }
    }

  private:
    std::function<void()> binding_;
};

#define WORDVANE_PROPERTY(Type, getter, setter, member) \
    const Type& getter() const {                        \
        return member;                                  \
    }                                                   \
    void setter(const Type& value) {                    \
        if (!(member == value)) {                       \
            member = value;                             \
            changed();                                  \
        }                                               \
    }

// The kinds of control a window is made of; each has one binding in the
// desktop backend.
enum class ControlKind { ListBox, TextBox, Button, Label, ComboBox, CheckBox };

// Anything with a place and a size in twips: a window or a control.
class Placed : public Model {
  public:
    WORDVANE_PROPERTY(int32_t, left, setLeft, left_)
    WORDVANE_PROPERTY(int32_t, top, setTop, top_)
    WORDVANE_PROPERTY(int32_t, width, setWidth, width_)
    WORDVANE_PROPERTY(int32_t, height, setHeight, height_)
    void place(int32_t left, int32_t top, int32_t width, int32_t height) {
        left_ = left;
        top_ = top;
        width_ = width;
        height_ = height;
        changed();
    }

  private:
    int32_t left_ = 0;
    int32_t top_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
};

// A control inside a window: whether it is shown, and whether it has the
// keyboard focus (a request from the program, or the user's click, as the
// binding reports it).
class Control : public Placed {
  public:
    ~Control() override {
        if (focusOwner_ == this) {
            focusOwner_ = nullptr;
        }
    }
    virtual ControlKind kind() const = 0;

    WORDVANE_PROPERTY(bool, visible, setVisible, visible_)
    // The program's thread has one keyboard focus: a control that takes it
    // takes it from the control that had it.
    const bool& focused() const { return focused_; }
    void setFocused(const bool& focused) {
        if (focused && focusOwner_ != nullptr && focusOwner_ != this) {
            focusOwner_->setFocused(false);
        }
        if (focused) {
            focusOwner_ = this;
        } else if (focusOwner_ == this) {
            focusOwner_ = nullptr;
        }
        if (focused_ != focused) {
            focused_ = focused;
            changed();
        }
    }

  private:
    bool visible_ = true;
    bool focused_ = false;
    static inline Control* focusOwner_ = nullptr;
};

class Button : public Control {
  public:
    explicit Button(std::u16string caption = u"") : caption_(std::move(caption)) {}
    ControlKind kind() const override { return ControlKind::Button; }
    WORDVANE_PROPERTY(std::u16string, caption, setCaption, caption_)
    std::function<void()> onClick;
    void click() {
        if (onClick) {
            onClick();
        }
    }

  private:
    std::u16string caption_;
};

// How a label draws its text, when not in the system's way: font, point
// size, weight and colours (0xBBGGRR).
struct TextStyle {
    std::u16string font;
    int pointSize = 9;
    bool bold = false;
    uint32_t color = 0;
    uint32_t background = 0xFFFFFF;
};

class Label : public Control {
  public:
    ControlKind kind() const override { return ControlKind::Label; }
    std::optional<TextStyle> textStyle;
    WORDVANE_PROPERTY(std::u16string, caption, setCaption, caption_)
    // The mouse moved over the label.
    std::function<void()> onMouseMove;

  private:
    std::u16string caption_;
};

// An edit box, one line or several. `onKeyDown` hears the keys typed into it
// (virtual-key code; Shift 1, Ctrl 2, Alt 4) before the box handles them.
class TextBox : public Control {
  public:
    explicit TextBox(bool multiline = false) : multiline_(multiline) {}
    ControlKind kind() const override { return ControlKind::TextBox; }
    bool multiline() const { return multiline_; }
    WORDVANE_PROPERTY(std::u16string, text, setText, text_)
    // The whole text is selected, so that what the user types replaces it
    // (a prefilled name); the user's first change ends it.
    WORDVANE_PROPERTY(bool, allSelected, setAllSelected, allSelected_)
    std::function<void(int16_t keyCode, int16_t shift)> onKeyDown;
    // The user changed the text (the program's own changes are not told).
    std::function<void()> onChange;
    std::function<void()> onDoubleClick;
    void userChanged(const std::u16string& text) {
        allSelected_ = false;
        setText(text);
        if (onChange) {
            onChange();
        }
    }

  private:
    bool multiline_;
    std::u16string text_;
    bool allSelected_ = false;
};

// A list box. The binding tells a change of the items (`itemsRevision`
// grows) from a mere change of the selection.
class ListBox : public Control {
  public:
    ControlKind kind() const override { return ControlKind::ListBox; }
    const std::vector<std::u16string>& items() const { return items_; }
    void clear() { setItems({}); }
    // Replaces all items at once; the selection is cleared. Lines equal to
    // the shown ones are not sent to the window again.
    void setItems(std::vector<std::u16string> items) {
        if (items != items_) {
            items_ = std::move(items);
            ++itemsRevision_;
        }
        listIndex_ = -1;
        changed();
    }
    // 32 bits: the add-word dialog lists a full list's 32,767 words and one line more.
    int listCount() const { return static_cast<int>(items_.size()); }
    uint64_t itemsRevision() const { return itemsRevision_; }
    // The text of the selected line; empty when none is selected.
    std::u16string text() const {
        return listIndex_ >= 0 && static_cast<size_t>(listIndex_) < items_.size()
                   ? items_[static_cast<size_t>(listIndex_)]
                   : std::u16string();
    }
    WORDVANE_PROPERTY(int16_t, listIndex, setListIndex, listIndex_)

    // The user chose a line (the selection is already set), double-clicked
    // one, or pressed the right button over the list.
    std::function<void()> onClick;
    std::function<void()> onDoubleClick;
    std::function<void()> onRightButton;
    void click(int16_t line) {
        setListIndex(line);
        if (onClick) {
            onClick();
        }
    }

  private:
    std::vector<std::u16string> items_;
    int16_t listIndex_ = -1;
    uint64_t itemsRevision_ = 0;
};

// A drop-down list to choose one entry from; `onClick` hears the user's
// choice.
class ComboBox : public Control {
  public:
    ControlKind kind() const override { return ControlKind::ComboBox; }
    WORDVANE_PROPERTY(std::vector<std::u16string>, items, setItems, items_)
    WORDVANE_PROPERTY(int16_t, listIndex, setListIndex, listIndex_)
    // A number carried by each entry (a virtual-key code, ...).
    std::vector<int32_t> itemData;
    std::function<void()> onClick;
    void click(int16_t index) {
        setListIndex(index);
        if (onClick) {
            onClick();
        }
    }

  private:
    std::vector<std::u16string> items_;
    int16_t listIndex_ = -1;
};

// A check box with its caption; the user's clicks toggle `checked`.
class CheckBox : public Control {
  public:
    explicit CheckBox(std::u16string caption) : caption_(std::move(caption)) {}
    ControlKind kind() const override { return ControlKind::CheckBox; }
    const std::u16string& caption() const { return caption_; }
    WORDVANE_PROPERTY(bool, checked, setChecked, checked_)

  private:
    std::u16string caption_;
    bool checked_ = false;
};

// A timer: the backend (or a test) calls `fire` every `interval` ms while it
// runs. `restart` starts the interval anew; `starts` counts every start, so
// that a binding can tell a restart from no change. An enabled timer may
// `sleep` while nothing can happen: it stays enabled but does not run (its
// system timer is stopped) until `wake`.
class Timer : public Model {
  public:
    WORDVANE_PROPERTY(int32_t, interval, setInterval, interval_)
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) {
        if (enabled != enabled_ || (enabled && sleeping_)) {
            enabled_ = enabled;
            sleeping_ = false;
            starts_ += enabled ? 1 : 0;
            changed();
        }
    }
    void restart() {
        enabled_ = true;
        sleeping_ = false;
        ++starts_;
        changed();
    }
    bool running() const { return enabled_ && !sleeping_; }
    void sleep() {
        if (running()) {
            sleeping_ = true;
            changed();
        }
    }
    void wake() {
        if (sleeping_) {
            sleeping_ = false;
            changed();
        }
    }
    uint64_t starts() const { return starts_; }
    // One tick as soon as the program's thread is free, not at the end of an
    // interval the system rounds up to 10 to 16 ms: an event left work for
    // it (a hotkey that shows the list). The binding takes the request.
    void fireSoon() {
        soon_ = enabled_;
        sleeping_ = false;
        changed();
    }
    bool takeSoonRequest() { return std::exchange(soon_, false); }
    std::function<void()> onTick;
    void fire() {
        if (running() && onTick) {
            onTick();
        }
    }

  private:
    int32_t interval_ = 0;
    bool enabled_ = false;
    bool sleeping_ = false;
    bool soon_ = false;
    uint64_t starts_ = 0;
};

// A menu item; an item with children is a submenu, an item captioned "-" a
// separator line.
class MenuItem : public Model {
  public:
    explicit MenuItem(std::u16string caption = u"") : caption_(std::move(caption)) {}
    WORDVANE_PROPERTY(std::u16string, caption, setCaption, caption_)
    WORDVANE_PROPERTY(bool, checked, setChecked, checked_)
    WORDVANE_PROPERTY(bool, visible, setVisible, visible_)
    WORDVANE_PROPERTY(bool, enabled, setEnabled, enabled_)

    std::vector<MenuItem*> children;
    std::function<void()> onClick;
    void click() {
        if (onClick) {
            onClick();
        }
    }
    // The visible item with `caption` among the visible items below this one,
    // submenus included; null when there is none.
    MenuItem* find(const std::u16string& caption);

  private:
    std::u16string caption_;
    bool checked_ = false;
    bool visible_ = true;
    bool enabled_ = true;
};

// A pop-up menu: its root item's children are the menu's items.
class Menu : public MenuItem {
  public:
    using MenuItem::MenuItem;
};

// One control of a window, as the window's table names it: the id its real
// control gets, and its name for the tools that print windows.
struct ControlSlot {
    int id;
    const char* name;
    Control* control;
};

// What kind of window a form is on the desktop: a tool window with a
// caption, a dialog (never topmost), or a bare pop-up that never takes the
// focus from the user's application (the candidate list).
enum class WindowStyle { Tool, Dialog, Popup };

// A window: caption, visibility, topmost flag, place and size, and the
// table of its controls and timers. The hooks carry what reaches the window
// itself: a hotkey message (its id), the tray icon's callback (its mouse
// message) and a request to close it.
class Window : public Placed {
  public:
    WORDVANE_PROPERTY(std::u16string, caption, setCaption, caption_)
    WORDVANE_PROPERTY(bool, visible, setVisible, visible_)
    WORDVANE_PROPERTY(bool, topmost, setTopmost, topmost_)
    // Loaded: the window exists (the backend has created it).
    WORDVANE_PROPERTY(bool, loaded, setLoaded, loaded_)
    // The DPI its twips are shown at: that of the monitor it was placed on;
    // 0 for the primary monitor's.
    WORDVANE_PROPERTY(int, dpi, setDpi, dpi_)
    // The window's own colour (0xBBGGRR) instead of the system's.
    std::optional<uint32_t> background;

    WindowHandle handle() const { return handle_; }
    void setHandle(WindowHandle handle) { handle_ = handle; }

    WindowStyle style() const { return style_; }
    void setStyle(WindowStyle style) { style_ = style; }

    const std::vector<ControlSlot>& controls() const { return controls_; }
    const std::vector<Timer*>& timers() const { return timers_; }
    // The control that has the focus; null when none has.
    Control* focusedControl() const;

    // A dialog's buttons for Return and Esc (登録, OK, 決定, 変更 and キャンセル).
    Button* defaultButton = nullptr;
    Button* cancelButton = nullptr;
    // The window takes Return, Esc, Tab and Space as a dialog does; the
    // others (the candidate list, the pop-ups, the launcher's filter box)
    // leave every key to the focused box.
    bool takesDialogKeys() const {
        return style_ == WindowStyle::Dialog || defaultButton != nullptr || cancelButton != nullptr;
    }
    // A key typed while the window has the keyboard, as a dialog takes it:
    // Return presses the focused button or the default one (a multi-line box
    // keeps it for a new line), Esc the cancel button (or closes the
    // window), Tab and Shift+Tab move the focus in reading order, Space
    // presses the focused button or toggles the focused check box. False
    // when the key is the focused control's own.
    bool dialogKey(int virtualKey, bool shift);
    // Return and Esc as the desktop reports them to a dialog.
    void pressDefault();
    void pressCancel();

    std::function<void(int16_t id)> onHotKey;
    std::function<void(int mouseMessage)> onTrayIcon;
    // The window became the active one (true) or stopped being it (false).
    std::function<void(bool active)> onActivate;
    // Windows asks whether the session may end, then ends it (log-off,
    // shutdown): nobody can answer a question now.
    std::function<void()> onQueryEndSession;
    std::function<void()> onEndSession;
    // Closing the window, by the user (Alt+F4) or the system; without a
    // handler it only hides.
    std::function<void()> onClose;
    // Another program (the installer) asks the program to quit.
    std::function<void()> onQuitRequest;
    void close() {
        if (onClose) {
            onClose();
        } else {
            setVisible(false);
        }
    }

  protected:
    void addControl(int id, const char* name, Control& control) {
        controls_.push_back(ControlSlot{id, name, &control});
    }
    void addTimer(Timer& timer) { timers_.push_back(&timer); }

  private:
    std::u16string caption_;
    bool visible_ = false;
    bool topmost_ = false;
    bool loaded_ = false;
    int dpi_ = 0;
    WindowHandle handle_ = 0;
    WindowStyle style_ = WindowStyle::Tool;
    std::vector<ControlSlot> controls_;
    std::vector<Timer*> timers_;
};

#undef WORDVANE_PROPERTY

}  // namespace wordvane::ui
