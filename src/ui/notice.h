#pragma once

#include <cstdint>

#include "ui/forms.h"

namespace wordvane::ui {

// Form2 as a small pop-up notice: it hides by itself 101 ticks after it was
// shown, or at once when the mouse moves over its label.
class Notice {
  public:
    explicit Notice(Form2& form2) : form2_(form2) {
        form2_.Label1.onMouseMove = [this] { form2_.setVisible(false); };
    }

    // Shows `text` just above the mouse pointer (in pixels) and starts its
    // display time.
    void showAt(const std::u16string& text, Point pointer, int twipsPerPixelX, int twipsPerPixelY) {
        form2_.setLeft(pointer.x * twipsPerPixelX);
        form2_.setTop((pointer.y - 10) * twipsPerPixelY);
        form2_.Label1.setCaption(text);
        form2_.setVisible(true);
        setTimeInitialize();
    }
    void hide() { form2_.setVisible(false); }

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
