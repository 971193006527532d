#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/retried_registrations.h"
#include "platform/win32/control_bindings.h"
#include "platform/win32/win32_platform.h"
#include "ui/forms.h"

namespace wordvane::win32 {

// The real windows of Form1 to Form9: each form gets a window and, from its
// table, one real control per control model and one system timer per timer
// model, all bound to their models. What reaches a window (a command of one
// of its controls, a timer, a hotkey, the tray icon, a close) goes to the
// model of that form. The binder unbinds every model and destroys every
// window when it ends.
class FormBinder {
  public:
    FormBinder(ui::Forms& forms, Win32Platform& platform, HINSTANCE instance);
    ~FormBinder();
    FormBinder(const FormBinder&) = delete;
    FormBinder& operator=(const FormBinder&) = delete;

    HWND window(int number) const { return forms_[static_cast<size_t>(number - 1)].window; }

    // The message loop; returns when the program quits.
    int run();

  private:
    struct Form {
        FormBinder* owner = nullptr;
        int number = 0;
        ui::Window* model = nullptr;
        HWND window = nullptr;
        std::vector<std::unique_ptr<ControlBinding>> controls;
        // The system's message font at the DPI the form is shown at.
        HFONT font = nullptr;
        int fontDpi = 0;
    };

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);
    LRESULT handle(Form& form, UINT message, WPARAM wParam, LPARAM lParam);

    void createWindow(Form& form);
    void bindWindow(Form& form);
    void bindTimers(Form& form);
    Pixels pixelsOf(const Form& form) const { return Pixels(*form.model, systemDpi_); }
    // The form is shown at another DPI: new fonts, every control placed anew.
    void rescale(Form& form);
    // The user moved a form to a monitor with another DPI.
    void dpiChanged(Form& form, int dpi, const RECT& suggested);
    // The screens changed: shown forms go back inside a work area.
    void displayChanged();
    bool dialogMessage(MSG& message);
    // Runs a call into the program; nothing it throws crosses into the system.
    static void guarded(const std::function<void()>& call);

    ui::Forms& models_;
    Win32Platform& platform_;
    HINSTANCE instance_;
    int systemDpi_;
    std::array<Form, 9> forms_;
    // WM_COMMAND is routed by (form number, control id).
    std::map<std::pair<int, int>, ControlBinding*> commands_;
    UINT taskbarCreated_ = 0;
    UINT quitRequest_ = 0;
    HWINEVENTHOOK desktopSwitchHook_ = nullptr;
    RetriedRegistrations registrations_;
};

}  // namespace wordvane::win32
