#pragma once

#include <cstdint>

#include "ui/forms.h"
#include "ui/placement.h"

namespace wordvane::ui {

// Form2 as a small pop-up notice: it hides by itself 101 ticks after it was
// shown, or at once when the mouse moves over its label.
class Notice {
  public:
    explicit Notice(Form2& form2) : form2_(form2) {
        form2_.Label1.onMouseMove = [this] { form2_.setVisible(false); };
    }

    // Shows `text` just above the mouse pointer, on the pointer's monitor at
    // its DPI and inside its work area, and starts its display time.
    void showAtPointer(const std::u16string& text, Platform& platform) {
        const Point pointer = platform.cursorPosition();
        const Rect area = takeToMonitorAt(form2_, platform, pointer);
        const PixelScale scale{form2_.dpi()};
        form2_.setLeft(scale.twips(pointer.x));
        form2_.setTop(scale.twips(pointer.y - 10));
        keepInside(form2_, area);
        form2_.Label1.setCaption(text);
        form2_.setVisible(true);
        setTimeInitialize();
    }
    void hide() { form2_.setVisible(false); }
    bool shown() const { return form2_.visible(); }

    // Called right after showing Form2.
    void setTimeInitialize() { ticks_ = 0; }
    // Called by every main tick while Form2 is visible.
    void incrementTimeCount() {
        if (++ticks_ > 100) {
            form2_.setVisible(false);
            ticks_ = 0;
        }
    }
    void tick() {
        if (form2_.visible()) {
            incrementTimeCount();
        }
    }

  private:
    Form2& form2_;
    int16_t ticks_ = 0;
};

}  // namespace wordvane::ui
