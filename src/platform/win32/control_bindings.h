#pragma once

#include <windows.h>

#include <memory>

#include "ui/controls.h"

namespace wordvane::win32 {

// Twips to the pixels of a window: at the DPI of the monitor the window was
// placed on, or the primary monitor's.
class Pixels {
  public:
    Pixels(const ui::Window& window, int systemDpi) : window_(&window), systemDpi_(systemDpi) {}
    int dpi() const { return window_->dpi() != 0 ? window_->dpi() : systemDpi_; }
    int operator()(int32_t twips) const { return PixelScale{dpi()}.pixels(twips); }

  private:
    const ui::Window* window_;
    int systemDpi_;
};

// The real control of one control model: it shows every change of the model
// and reports what the user does back to it. A binding unbinds its model when
// it ends, so that the model never calls into a binding that is gone.
class ControlBinding {
  public:
    ControlBinding(ui::Control& model, HWND control, Pixels pixels);
    virtual ~ControlBinding();
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    HWND control() const { return control_; }
    // A notification code of WM_COMMAND from the control.
    virtual void command(WORD /*code*/) {}
    // A message to the control, before the control sees it; true when it was
    // handled and the control is not to see it.
    virtual bool preview(UINT message, WPARAM wParam, LPARAM lParam);
    // The brush (and colours set on `dc`) a static control draws with; null
    // for the system's.
    virtual HBRUSH colour(HDC /*dc*/) { return nullptr; }
    // The window's DPI changed: the control takes `messageFont` (or its own
    // font at the new DPI) and its place in the new pixels.
    virtual void rescale(HFONT messageFont);

    // The binding of a bound control; null for any other window.
    static ControlBinding* of(HWND control);

  protected:
    // Makes the control show the model's state.
    virtual void apply() = 0;
    // Binds the model; the real control shows its state from now on.
    void bind();
    void applyPlace();

    ui::Control& model_;
    HWND control_;
    Pixels pixels_;
};

// Creates the real control of `model` inside `parent` with id `id`.
std::unique_ptr<ControlBinding> bindControl(ui::Control& model, HWND parent, int id,
                                            HINSTANCE instance, Pixels pixels, HFONT font);

// The text of a window or control.
std::u16string windowText(HWND window);

}  // namespace wordvane::win32
