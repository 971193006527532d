#include "platform/win32/form_windows.h"

#include <exception>
#include <memory>

#include "app/shutdown.h"
#include "app/tray_icon.h"
#include "completion/main_tick.h"
#include "hotkeys/hotkey_dispatch.h"
#include "platform/win32/win32_text.h"

namespace wordvane::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"WordvaneForm";

enum ControlId : int {
    kList1 = 101,
    kText1 = 102,
    kCommand1 = 103,
    kCommand2 = 104,
    kLabel1 = 105
};

// Forms 3 and 5 are dialogs; the others stay above every window.
bool isDialog(int number) {
    return number == 3 || number == 5;
}

}  // namespace

FormWindows::FormWindows(App& app, Win32Platform& platform, HINSTANCE instance)
    : app_(app), platform_(platform), instance_(instance) {
    twipsPerPixel_ = platform.twipsPerPixelX();
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kFormClass;
    RegisterClassExW(&windowClass);

    for (int number = 1; number <= 9; ++number) {
        HWND window = createForm(number);
        windows_[static_cast<size_t>(number - 1)] = window;
        ui::Window& model = app.forms.byNumber(number);
        model.setHandle(reinterpret_cast<WindowHandle>(window));
        bindWindow(model, window);
    }
    bindForm1Controls(window(1));
    bindTimer(app.forms.form1.Timer1, window(1));
    bindTimer(app.forms.form2.Timer1, window(2));
    platform.setMainWindow(window(1));
}

HWND FormWindows::createForm(int number) {
    Slot& slot = slots_[static_cast<size_t>(number - 1)];
    slot = Slot{this, number};
    const ui::Window& model = app_.forms.byNumber(number);
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    DWORD exStyle = WS_EX_TOOLWINDOW;
    if (number == 1) {
        // The candidate list never takes the keyboard from the user's application.
        style = WS_POPUP | WS_BORDER;
        exStyle |= WS_EX_NOACTIVATE;
    }
    if (!isDialog(number)) {
        exStyle |= WS_EX_TOPMOST;
    }
    return CreateWindowExW(exStyle, kFormClass, wide(model.caption()).c_str(), style,
                           pixels(model.left()), pixels(model.top()), pixels(model.width()),
                           pixels(model.height()), nullptr, nullptr, instance_, &slot);
}

HWND FormWindows::createControl(HWND parent, const wchar_t* className, DWORD style, int id) {
    return CreateWindowExW(0, className, L"", WS_CHILD | style, 0, 0, 10, 10, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
}

int FormWindows::pixels(int32_t twips) const {
    return twips / twipsPerPixel_;
}

void FormWindows::bindWindow(ui::Window& model, HWND window) {
    model.setBinding([this, &model, window] {
        SetWindowTextW(window, wide(model.caption()).c_str());
        SetWindowPos(window, model.topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, pixels(model.left()),
                     pixels(model.top()), pixels(model.width()), pixels(model.height()),
                     SWP_NOACTIVATE | (model.visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    });
}

void FormWindows::bindTimer(ui::Timer& model, HWND window) {
    const UINT_PTR id = timers_.size() + 1;
    timers_[id] = &model;
    const auto apply = [&model, window, id] {
        if (model.enabled() && model.interval() > 0) {
            // The system rounds short intervals up to its minimum (about 10 ms).
            SetTimer(window, id, static_cast<UINT>(model.interval()), nullptr);
        } else {
            KillTimer(window, id);
        }
    };
    model.setBinding(apply);
    apply();
}

namespace {

// Text1's own keys start edit mode; everything else goes on to the edit box.
WNDPROC editProcedure = nullptr;
App* editOwner = nullptr;

LRESULT CALLBACK text1Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && editOwner != nullptr) {
        try {
            const int16_t shift = (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                                  (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                  (GetKeyState(VK_MENU) < 0 ? 4 : 0);
            Text1_KeyDown(*editOwner, static_cast<int16_t>(wParam), shift);
        } catch (...) {
            OutputDebugStringA("Wordvane: error in the inline editor");
        }
    }
    return CallWindowProcW(editProcedure, window, message, wParam, lParam);
}

}  // namespace

void FormWindows::placeControl(const ui::Control& model, HWND control) {
    SetWindowPos(control, nullptr, pixels(model.left()), pixels(model.top()), pixels(model.width()),
                 pixels(model.height()), SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindows::bindForm1Controls(HWND form1) {
    ui::Form1& model = app_.forms.form1;
    HWND list = createControl(form1, L"LISTBOX",
                              WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kList1);
    HWND text =
        createControl(form1, L"EDIT",
                      WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, kText1);
    HWND command1 = createControl(form1, L"BUTTON", BS_PUSHBUTTON, kCommand1);
    HWND command2 = createControl(form1, L"BUTTON", BS_PUSHBUTTON, kCommand2);
    HWND label = createControl(form1, L"STATIC", SS_LEFT, kLabel1);
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (HWND control : {list, text, command1, command2, label}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    editOwner = &app_;
    editProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(text, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(text1Procedure)));

    // The items are sent again only when they changed, not for a new selection.
    ui::ListBox& list1 = model.List1;
    auto shownRevision = std::make_shared<uint64_t>(0);
    const auto applyList = [this, &list1, list, shownRevision] {
        placeControl(list1, list);
        if (*shownRevision != list1.itemsRevision()) {
            *shownRevision = list1.itemsRevision();
            SendMessageW(list, WM_SETREDRAW, FALSE, 0);
            SendMessageW(list, LB_RESETCONTENT, 0, 0);
            SendMessageW(list, LB_INITSTORAGE, list1.items().size(), list1.items().size() * 32);
            for (const auto& item : list1.items()) {
                SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item).c_str()));
            }
            SendMessageW(list, WM_SETREDRAW, TRUE, 0);
            InvalidateRect(list, nullptr, TRUE);
        }
        SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(list1.listIndex()), 0);
    };
    list1.setBinding(applyList);
    applyList();
    commands_[kList1] = [&list1, list](WORD code) {
        if (code == LBN_SELCHANGE) {
            list1.setListIndex(static_cast<int16_t>(SendMessageW(list, LB_GETCURSEL, 0, 0)));
        }
    };

    ui::TextBox& text1 = model.Text1;
    const auto applyText = [this, &text1, text] {
        placeControl(text1, text);
        std::wstring shown(static_cast<size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
        shown.resize(static_cast<size_t>(
            GetWindowTextW(text, shown.data(), static_cast<int>(shown.size()))));
        if (utf16(shown) != text1.text()) {
            SetWindowTextW(text, wide(text1.text()).c_str());
        }
        ShowWindow(text, text1.visible() ? SW_SHOWNA : SW_HIDE);
    };
    text1.setBinding(applyText);
    applyText();
    commands_[kText1] = [&text1, text](WORD code) {
        if (code == EN_CHANGE) {
            std::wstring content(static_cast<size_t>(GetWindowTextLengthW(text)) + 1, L'\0');
            content.resize(static_cast<size_t>(
                GetWindowTextW(text, content.data(), static_cast<int>(content.size()))));
            text1.setText(utf16(content));
        }
    };

    ui::Label& label1 = model.Label1;
    const auto applyLabel = [this, &label1, label] {
        placeControl(label1, label);
        SetWindowTextW(label, wide(label1.caption()).c_str());
        ShowWindow(label, label1.visible() ? SW_SHOWNA : SW_HIDE);
    };
    label1.setBinding(applyLabel);
    applyLabel();

    for (auto [button, control, id] : {std::tuple{&model.Command1, command1, kCommand1},
                                       std::tuple{&model.Command2, command2, kCommand2}}) {
        ui::Button& buttonModel = *button;
        HWND buttonWindow = control;
        const auto apply = [this, &buttonModel, buttonWindow] {
            placeControl(buttonModel, buttonWindow);
            SetWindowTextW(buttonWindow, wide(buttonModel.caption()).c_str());
            ShowWindow(buttonWindow, buttonModel.visible() ? SW_SHOWNA : SW_HIDE);
        };
        buttonModel.setBinding(apply);
        apply();
        commands_[id] = [&buttonModel](WORD code) {
            if (code == BN_CLICKED && buttonModel.onClick) {
                buttonModel.onClick();
            }
        };
    }
}

void FormWindows::guarded(const std::function<void()>& call) {
    try {
        call();
    } catch (const std::exception& error) {
        OutputDebugStringA(error.what());
    } catch (...) {
        OutputDebugStringA("Wordvane: unexpected error");
    }
}

LRESULT CALLBACK FormWindows::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    const auto* slot = reinterpret_cast<const Slot*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (slot == nullptr || slot->owner == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return slot->owner->handle(slot->number, window, message, wParam, lParam);
}

LRESULT FormWindows::handle(int number, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER: {
            const auto timer = timers_.find(wParam);
            if (timer != timers_.end()) {
                guarded([&] { timer->second->fire(); });
            }
            return 0;
        }
        case WM_COMMAND: {
            const auto command = commands_.find(LOWORD(wParam));
            if (number == 1 && command != commands_.end()) {
                guarded([&] { command->second(HIWORD(wParam)); });
            }
            return 0;
        }
        case WM_HOTKEY:
            // Form1's hooked window procedure: every hotkey of the program.
            if (number == 1) {
                guarded([&] { hotKeyWndProc(app_, static_cast<int16_t>(wParam)); });
            }
            return 0;
        case kTrayIconMessage:
            if (number == 1) {
                guarded([&] { onTrayIconMessage(app_, LOWORD(lParam)); });
            }
            return 0;
        case WM_CLOSE:
            // Closing Form1, by the system or anyone, is the program's exit.
            if (number == 1) {
                guarded([&] { Form_QueryUnload(app_); });
            } else {
                app_.forms.byNumber(number).setVisible(false);
            }
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (number == 1 && wParam) {
                guarded([&] { Form_QueryUnload(app_); });
            }
            return 0;
        default:
            if (message == taskbarCreated_ && number == 1) {
                platform_.restoreTrayIcon();
                return 0;
            }
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

int FormWindows::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace wordvane::win32
