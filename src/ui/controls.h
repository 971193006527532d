#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace wordvane::ui {

// Base of every control model: holds its state and tells its binding (the
// real control of the Win32 backend, if any) when that state changes.
class Model {
  public:
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

// A window: caption, visibility, topmost flag and geometry in twips.
class Window : public Model {
  public:
    WORDVANE_PROPERTY(std::u16string, caption, setCaption, caption_)
    WORDVANE_PROPERTY(bool, visible, setVisible, visible_)
    WORDVANE_PROPERTY(bool, topmost, setTopmost, topmost_)
    WORDVANE_PROPERTY(int32_t, left, setLeft, left_)
    WORDVANE_PROPERTY(int32_t, top, setTop, top_)
    WORDVANE_PROPERTY(int32_t, width, setWidth, width_)
    WORDVANE_PROPERTY(int32_t, height, setHeight, height_)
    // Loaded: the window exists (the backend has created it).
    WORDVANE_PROPERTY(bool, loaded, setLoaded, loaded_)

    WindowHandle handle() const { return handle_; }
    void setHandle(WindowHandle handle) { handle_ = handle; }

  private:
    std::u16string caption_;
    bool visible_ = false;
    bool topmost_ = false;
    bool loaded_ = false;
    int32_t left_ = 0;
    int32_t top_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    WindowHandle handle_ = 0;
};

// A control inside a window: its place and size in twips.
class Control : public Model {
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

class Button : public Control {
  public:
    explicit Button(std::u16string caption = u"") : caption_(std::move(caption)) {}
    WORDVANE_PROPERTY(std::u16string, caption, setCaption, caption_)
    WORDVANE_PROPERTY(bool, visible, setVisible, visible_)
    std::function<void()> onClick;

  private:
    std::u16string caption_;
    bool visible_ = true;
};

class Label : public Control {
  public:
    WORDVANE_PROPERTY(std::u16string, caption, setCaption, caption_)
    WORDVANE_PROPERTY(bool, visible, setVisible, visible_)

  private:
    std::u16string caption_;
    bool visible_ = true;
};

class TextBox : public Control {
  public:
    WORDVANE_PROPERTY(std::u16string, text, setText, text_)
    WORDVANE_PROPERTY(bool, visible, setVisible, visible_)

  private:
    std::u16string text_;
    bool visible_ = true;
};

// A list box. The binding tells a change of the items (`itemsRevision`
// grows) from a mere change of the selection.
class ListBox : public Control {
  public:
    const std::vector<std::u16string>& items() const { return items_; }
    void clear() { setItems({}); }
    void addItem(std::u16string item) {
        items_.push_back(std::move(item));
        ++itemsRevision_;
        changed();
    }
    // Replaces all items at once; the selection is cleared.
    void setItems(std::vector<std::u16string> items) {
        items_ = std::move(items);
        listIndex_ = -1;
        ++itemsRevision_;
        changed();
    }
    int16_t listCount() const { return static_cast<int16_t>(items_.size()); }
    uint64_t itemsRevision() const { return itemsRevision_; }
    // The text of the selected line; empty when none is selected.
    std::u16string text() const {
        return listIndex_ >= 0 && static_cast<size_t>(listIndex_) < items_.size()
                   ? items_[static_cast<size_t>(listIndex_)]
                   : std::u16string();
    }
    WORDVANE_PROPERTY(int16_t, listIndex, setListIndex, listIndex_)

  private:
    std::vector<std::u16string> items_;
    int16_t listIndex_ = -1;
    uint64_t itemsRevision_ = 0;
};

// A timer: the backend (or a test) calls `fire` every `interval` ms while it
// is enabled.
class Timer : public Model {
  public:
    WORDVANE_PROPERTY(int32_t, interval, setInterval, interval_)
    WORDVANE_PROPERTY(bool, enabled, setEnabled, enabled_)
    std::function<void()> onTick;
    void fire() {
        if (enabled_ && onTick) {
            onTick();
        }
    }

  private:
    int32_t interval_ = 0;
    bool enabled_ = false;
};

// A menu item; an item with children is a submenu, an item captioned "-" a
// separator line.
class MenuItem : public Model {
  public:
    explicit MenuItem(std::u16string caption = u"") : caption_(std::move(caption)) {}
    WORDVANE_PROPERTY(std::u16string, caption, setCaption, caption_)
    WORDVANE_PROPERTY(bool, checked, setChecked, checked_)
    WORDVANE_PROPERTY(bool, visible, setVisible, visible_)

    std::vector<MenuItem*> children;
    std::function<void()> onClick;
    void click() {
        if (onClick) {
            onClick();
        }
    }

  private:
    std::u16string caption_;
    bool checked_ = false;
    bool visible_ = true;
};

// A pop-up menu: its root item's children are the menu's items.
class Menu : public MenuItem {
  public:
    using MenuItem::MenuItem;
};

#undef WORDVANE_PROPERTY

}  // namespace wordvane::ui
