#include "platform/win32/form_binder.h"

#include <windowsx.h>
// After windows.h, which it needs.
#include <wtsapi32.h>

#include <exception>

#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_text.h"
#include "ui/placement.h"

namespace wordvane::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"WordvaneForm";

// The click being handled lands in a text box of `window`.
bool clickIntoTextBox(HWND window) {
    const DWORD position = GetMessagePos();
    POINT point{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    ScreenToClient(window, &point);
    const HWND child = ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
    wchar_t className[16] = {};
    return child != nullptr && child != window && GetClassNameW(child, className, 16) > 0 &&
           _wcsicmp(className, L"Edit") == 0;
}

// The window told of desktop switches (one binder per program).
HWND desktopSwitchListener = nullptr;

void CALLBACK desktopSwitched(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) {
    PostMessageW(desktopSwitchListener, kDesktopSwitchedMessage, 0, 0);
}

// Messages that tell the program nothing new: painting, the pointer passing
// over a window, questions about a window, the timers themselves. Every
// other message to a form is an event that wakes the main tick.
bool isEvent(UINT message) {
    switch (message) {
        case WM_TIMER:
        case WM_PAINT:
        case WM_NCPAINT:
        case WM_ERASEBKGND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_NCHITTEST:
        case WM_SETCURSOR:
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_GETOBJECT:
        case WM_GETTEXT:
        case WM_GETTEXTLENGTH:
        case WM_GETICON:
        case WM_GETMINMAXINFO:
            return false;
        default:
            return true;
    }
}

}  // namespace

FormBinder::FormBinder(ui::Forms& forms, Win32Platform& platform, HINSTANCE instance)
    : models_(forms),
      platform_(platform),
      instance_(instance),
      systemDpi_(platform.systemScale().dpi) {
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    quitRequest_ = RegisterWindowMessageW(L"Wordvane.Quit");
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kFormClass;
    RegisterClassExW(&windowClass);

    for (int number = 1; number <= 9; ++number) {
        Form& form = forms_[static_cast<size_t>(number - 1)];
        form.owner = this;
        form.number = number;
        form.model = &forms.byNumber(number);
        createWindow(form);
        form.fontDpi = pixelsOf(form).dpi();
        form.font = createMessageFont(form.fontDpi);
        for (const ui::ControlSlot& slot : form.model->controls()) {
            form.controls.push_back(bindControl(*slot.control, form.window, slot.id, instance_,
                                                pixelsOf(form), form.font));
            commands_[{number, slot.id}] = form.controls.back().get();
            if (slot.control == form.model->defaultButton) {
                // Drawn as the button Return presses.
                SendMessageW(GetDlgItem(form.window, slot.id), BM_SETSTYLE, BS_DEFPUSHBUTTON,
                             FALSE);
            }
        }
        bindTimers(form);
        bindWindow(form);
    }
    platform.setMainWindow(window(1));
    platform.watchKeyboard(window(1));
    // A change of the clipboard wakes the main tick, whose check reads it.
    // Lock and unlock: the keys held then went up where the program does
    // not hear them. Early at sign-in the session service may not answer
    // yet: both are tried again until they take.
    const HWND main = window(1);
    registrations_.add([main] { return AddClipboardFormatListener(main) != FALSE; });
    registrations_.add(
        [main] { return WTSRegisterSessionNotification(main, NOTIFY_FOR_THIS_SESSION) != FALSE; });
    if (registrations_.waiting()) {
        SetTimer(main, kRegistrationRetryTimer, RetriedRegistrations::kRetryIntervalMs, nullptr);
    }
    // A UAC prompt switches to the secure desktop without a session
    // notification; the keys released there are not heard either.
    desktopSwitchListener = window(1);
    desktopSwitchHook_ = SetWinEventHook(EVENT_SYSTEM_DESKTOPSWITCH, EVENT_SYSTEM_DESKTOPSWITCH,
                                         nullptr, desktopSwitched, 0, 0, WINEVENT_OUTOFCONTEXT);
    // Running elevated, the program would not hear Explorer's "TaskbarCreated"
    // (a message from a lower integrity level) and its tray icon would not
    // come back after Explorer restarts.
    ChangeWindowMessageFilterEx(window(1), taskbarCreated_, MSGFLT_ALLOW, nullptr);
    // The installer's quit request reaches a copy that runs elevated too.
    ChangeWindowMessageFilterEx(window(1), quitRequest_, MSGFLT_ALLOW, nullptr);
}

FormBinder::~FormBinder() {
    RemoveClipboardFormatListener(window(1));
    WTSUnRegisterSessionNotification(window(1));
    if (desktopSwitchHook_ != nullptr) {
        UnhookWinEvent(desktopSwitchHook_);
    }
    desktopSwitchListener = nullptr;
    for (Form& form : forms_) {
        form.controls.clear();
        for (ui::Timer* timer : form.model->timers()) {
            timer->setBinding(nullptr);
        }
        form.model->setBinding(nullptr);
        SetWindowLongPtrW(form.window, GWLP_USERDATA, 0);
        DestroyWindow(form.window);
        DeleteObject(form.font);
    }
}

void FormBinder::createWindow(Form& form) {
    const ui::Window& model = *form.model;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    // A dialog has a taskbar button, so that one that lost the foreground
    // can be found again; the other windows have none.
    DWORD exStyle = model.style() == ui::WindowStyle::Dialog ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
    if (model.style() == ui::WindowStyle::Popup) {
        style = WS_POPUP | WS_BORDER;
        exStyle |= WS_EX_NOACTIVATE;
    }
    if (model.style() != ui::WindowStyle::Dialog) {
        exStyle |= WS_EX_TOPMOST;
    }
    const Pixels pixels = pixelsOf(form);
    form.window = CreateWindowExW(exStyle, kFormClass, wide(model.caption()).c_str(), style,
                                  pixels(model.left()), pixels(model.top()), pixels(model.width()),
                                  pixels(model.height()), nullptr, nullptr, instance_, &form);
    form.model->setHandle(reinterpret_cast<WindowHandle>(form.window));
}

void FormBinder::bindWindow(Form& form) {
    ui::Window& model = *form.model;
    HWND window = form.window;
    const Pixels pixels = pixelsOf(form);
    const auto apply = [this, &form, &model, window, pixels] {
        if (pixels.dpi() != form.fontDpi) {
            rescale(form);
        }
        SetWindowTextW(window, wide(model.caption()).c_str());
        // A window that appears goes above the others of its kind (a dialog
        // above the application it was opened from).
        const bool appears = model.visible() && !IsWindowVisible(window);
        SetWindowPos(window, model.topmost() ? HWND_TOPMOST : HWND_NOTOPMOST, pixels(model.left()),
                     pixels(model.top()), pixels(model.width()), pixels(model.height()),
                     SWP_NOACTIVATE | (model.visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        if (appears && !model.topmost()) {
            SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
    };
    model.setBinding(apply);
}

// Timer k of a form's table is the window's system timer k + 1; a start or
// restart sets it anew, so its interval counts from then.
void FormBinder::bindTimers(Form& form) {
    const auto& timers = form.model->timers();
    for (size_t k = 0; k < timers.size(); ++k) {
        ui::Timer& timer = *timers[k];
        HWND window = form.window;
        const UINT_PTR id = k + 1;
        const auto apply = [&timer, window, id] {
            if (timer.running() && timer.interval() > 0) {
                // The system rounds short intervals up to its minimum (about 10 ms).
                SetTimer(window, id, static_cast<UINT>(timer.interval()), nullptr);
            } else {
                KillTimer(window, id);
            }
            if (timer.takeSoonRequest()) {
                PostMessageW(window, kTimerSoonMessage, id, 0);
            }
        };
        timer.setBinding(apply);
        apply();
    }
}

void FormBinder::rescale(Form& form) {
    const HFONT old = form.font;
    form.fontDpi = pixelsOf(form).dpi();
    form.font = createMessageFont(form.fontDpi);
    for (const auto& control : form.controls) {
        control->rescale(form.font);
    }
    DeleteObject(old);
}

// A form the program placed has its monitor's DPI already; one the user
// dragged takes the new DPI and the place the system suggests.
void FormBinder::dpiChanged(Form& form, int dpi, const RECT& suggested) {
    ui::Window& model = *form.model;
    if (pixelsOf(form).dpi() == dpi) {
        return;
    }
    const PixelScale scale{dpi};
    model.setDpi(dpi);
    model.place(scale.twips(suggested.left), scale.twips(suggested.top),
                scale.twips(suggested.right - suggested.left),
                scale.twips(suggested.bottom - suggested.top));
}

void FormBinder::displayChanged() {
    for (Form& form : forms_) {
        if (form.model->visible()) {
            ui::keepInside(*form.model, ui::workAreaOf(*form.model, platform_));
        }
    }
}

void FormBinder::guarded(const std::function<void()>& call) {
    try {
        call();
    } catch (const std::exception& error) {
        OutputDebugStringA(error.what());
    } catch (...) {
        OutputDebugStringA("Wordvane: unexpected error");
    }
}

LRESULT CALLBACK FormBinder::windowProcedure(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr || form->window != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->owner->handle(*form, message, wParam, lParam);
}

LRESULT FormBinder::handle(Form& form, UINT message, WPARAM wParam, LPARAM lParam) {
    ui::Window& model = *form.model;
    if (isEvent(message) && models_.onEvent) {
        guarded(models_.onEvent);
    }
    switch (message) {
        case WM_CLIPBOARDUPDATE:
            return 0;
        case WM_WTSSESSION_CHANGE:
        case kDesktopSwitchedMessage:
            platform_.sessionChanged();
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC) {
                platform_.sessionChanged();
            }
            break;
        case WM_TIMER: {
            if (wParam == kTrayIconRetryTimer) {
                platform_.restoreTrayIcon();
                return 0;
            }
            if (wParam == kRegistrationRetryTimer) {
                registrations_.retry();
                if (!registrations_.waiting()) {
                    KillTimer(form.window, kRegistrationRetryTimer);
                }
                return 0;
            }
            const auto& timers = model.timers();
            if (wParam >= 1 && wParam <= timers.size()) {
                guarded([&] { timers[wParam - 1]->fire(); });
            }
            return 0;
        }
        case WM_COMMAND: {
            // Return and Esc in a dialog, as the dialog handling reports them.
            if (LOWORD(wParam) == IDOK && lParam == 0) {
                guarded([&] { model.pressDefault(); });
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL && lParam == 0) {
                guarded([&] { model.pressCancel(); });
                return 0;
            }
            const auto command = commands_.find({form.number, LOWORD(wParam)});
            if (command != commands_.end()) {
                guarded([&] { command->second->command(HIWORD(wParam)); });
            }
            return 0;
        }
        case WM_HOTKEY:
            if (model.onHotKey) {
                guarded([&] { model.onHotKey(static_cast<int16_t>(wParam)); });
            }
            return 0;
        case kTimerSoonMessage: {
            const auto& timers = model.timers();
            if (wParam >= 1 && wParam <= timers.size()) {
                guarded([&] { timers[wParam - 1]->fire(); });
            }
            return 0;
        }
        case kBackgroundWrittenMessage:
            guarded([&] { platform_.backgroundWritten(wParam); });
            return 0;
        case kShellOpenedMessage:
            guarded([&] { Win32Platform::shellOpened(lParam); });
            return 0;
        case kTrayIconMessage:
            if (const int action = platform_.trayIconAction(LOWORD(lParam), wParam);
                action != 0 && model.onTrayIcon) {
                guarded([&] { model.onTrayIcon(action); });
            }
            return 0;
        case WM_CTLCOLORSTATIC:
            if (ControlBinding* binding = ControlBinding::of(reinterpret_cast<HWND>(lParam))) {
                if (const HBRUSH brush = binding->colour(reinterpret_cast<HDC>(wParam))) {
                    return reinterpret_cast<LRESULT>(brush);
                }
            }
            break;
        case WM_ERASEBKGND:
            if (model.background && !highContrastOn()) {
                RECT area;
                GetClientRect(form.window, &area);
                const HBRUSH brush = CreateSolidBrush(*model.background);
                FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
                DeleteObject(brush);
                return 1;
            }
            break;
        case WM_ACTIVATE: {
            if (model.onActivate) {
                guarded([&] { model.onActivate(LOWORD(wParam) != WA_INACTIVE); });
            }
            if (LOWORD(wParam) == WA_INACTIVE || !model.takesDialogKeys()) {
                break;
            }
            // As a dialog: the keyboard goes to a control (the one the
            // program chose, else the first that takes it), never to the
            // bare window, where Tab and typing would reach nothing.
            const LRESULT result = DefWindowProcW(form.window, message, wParam, lParam);
            const HWND focus = GetFocus();
            if (focus == nullptr || GetParent(focus) != form.window) {
                SetFocus(GetNextDlgTabItem(form.window, nullptr, FALSE));
            }
            return result;
        }
        case WM_MOUSEACTIVATE:
            // A window that never takes the focus is not activated by a click
            // either, except a click into one of its text boxes: that one
            // takes the keyboard, while the click still lets the program take
            // the foreground.
            if (model.style() == ui::WindowStyle::Popup) {
                if (!clickIntoTextBox(form.window)) {
                    return MA_NOACTIVATE;
                }
                SetForegroundWindow(form.window);
                return MA_ACTIVATE;
            }
            break;
        case WM_CLOSE:
            guarded([&] { model.close(); });
            return 0;
        case WM_RENDERFORMAT:
            if (form.number == 1) {
                guarded([&] { platform_.renderOfferedText(static_cast<UINT>(wParam)); });
            }
            return 0;
        case WM_RENDERALLFORMATS:
            if (form.number == 1) {
                guarded([&] { platform_.renderAllOffered(); });
            }
            return 0;
        case WM_DESTROYCLIPBOARD:
            if (form.number == 1) {
                platform_.offerEnded();
            }
            return 0;
        case WM_INPUT:
            platform_.rawInput(reinterpret_cast<HRAWINPUT>(lParam));
            break;  // the system frees the input's data
        case WM_DPICHANGED:
            guarded(
                [&] { dpiChanged(form, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); });
            return 0;
        case WM_DISPLAYCHANGE:
            if (form.number == 1) {
                guarded([&] { displayChanged(); });
            }
            break;
        case WM_QUERYENDSESSION:
            // Windows is told at once that saves are pending, so that it
            // waits for them rather than ending the process first.
            if (form.number == 1 && model.onQueryEndSession) {
                guarded([&] { model.onQueryEndSession(); });
            }
            return TRUE;
        case WM_ENDSESSION:
            // The session ends: the program's exit, with its saving.
            if (wParam && form.number == 1) {
                guarded([&] { model.onEndSession ? model.onEndSession() : model.close(); });
            }
            return 0;
        default:
            if (message == taskbarCreated_ && form.number == 1) {
                platform_.restoreTrayIcon();
                return 0;
            }
            // The installer asks a running copy to quit: it saves its lists
            // without a question (nobody may be there to answer) and ends.
            if (message == quitRequest_ && form.number == 1) {
                guarded([&] { model.onQuitRequest ? model.onQuitRequest() : model.close(); });
                return 0;
            }
            break;
    }
    return DefWindowProcW(form.window, message, wParam, lParam);
}

// The dialogs take Tab, Esc and their mnemonics (Alt and the underlined
// letter) as dialogs do; the candidate list and the pop-ups never have the
// keyboard, and the launcher's filter box takes every key itself.
bool FormBinder::dialogMessage(MSG& message) {
    const HWND active = GetActiveWindow();
    for (const Form& form : forms_) {
        if (form.window == active && form.model->takesDialogKeys()) {
            return IsDialogMessageW(active, &message) != FALSE;
        }
    }
    return false;
}

int FormBinder::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (dialogMessage(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace wordvane::win32
