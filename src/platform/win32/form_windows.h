#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>

#include "app/app.h"
#include "platform/win32/win32_platform.h"

namespace wordvane::win32 {

// The real windows of Form1 to Form9, created hidden, each bound to its
// model: a change of a model shows in its window, and what the user does in
// a window reaches the model.
class FormWindows {
  public:
    FormWindows(App& app, Win32Platform& platform, HINSTANCE instance);
    FormWindows(const FormWindows&) = delete;
    FormWindows& operator=(const FormWindows&) = delete;

    HWND window(int number) const { return windows_[static_cast<size_t>(number - 1)]; }

    // The message loop; returns when the program quits.
    int run();

  private:
    struct Slot {
        FormWindows* owner = nullptr;
        int number = 0;
    };

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(int number, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND createForm(int number);
    HWND createControl(HWND parent, const wchar_t* className, DWORD style, int id);
    void bindWindow(ui::Window& model, HWND window);
    void bindTimer(ui::Timer& model, HWND window);
    void bindForm1Controls(HWND form1);
    void placeControl(const ui::Control& model, HWND control);
    int pixels(int32_t twips) const;
    // Runs a call into the program; nothing it throws crosses into the system.
    void guarded(const std::function<void()>& call);

    App& app_;
    Win32Platform& platform_;
    HINSTANCE instance_;
    std::array<Slot, 9> slots_;
    std::array<HWND, 9> windows_{};
    std::map<UINT_PTR, ui::Timer*> timers_;
    std::map<int, std::function<void(WORD)>> commands_;
    UINT taskbarCreated_ = 0;
    int twipsPerPixel_ = 15;
};

}  // namespace wordvane::win32
