#include "platform/win32/control_bindings.h"

#include <commctrl.h>

#include <type_traits>
#include <vector>

#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_text.h"

namespace wordvane::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 1;
// The binding of a control, for its parent's messages about it.
constexpr wchar_t kBindingProperty[] = L"WordvaneBinding";

// Every bound control is subclassed with the binding as its reference data:
// the binding sees the control's messages first. Nothing a binding throws
// crosses into the system.
LRESULT CALLBACK controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  UINT_PTR /*id*/, DWORD_PTR binding) {
    try {
        if (reinterpret_cast<ControlBinding*>(binding)->preview(message, wParam, lParam)) {
            return 0;
        }
    } catch (...) {
        OutputDebugStringA("Wordvane: error in a control's handler");
    }
    if (message == WM_GETDLGCODE && lParam != 0) {
        // Tab leaves a multi-line box for the next control, as in the
        // system's dialogs; Ctrl+Tab still types a tab.
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        LRESULT code = DefSubclassProc(window, message, wParam, lParam);
        if (key->message == WM_KEYDOWN && key->wParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
            code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTTAB);
        }
        return code;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

int16_t shiftState() {
    return static_cast<int16_t>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) |
                                (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                                (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

// A list box. Its lines are sent again only when they changed, in one pass
// with redrawing off and the storage for all of them reserved at once; a new
// selection alone is just selected. The lines go straight to the list box
// class's own procedure: a message through the subclass chain looks the
// binding up on every line, which under Wine asks the server each time and
// makes a fill of the largest list a hundred times slower.
class ListBoxBinding : public ControlBinding {
  public:
    ListBoxBinding(ui::ListBox& model, HWND control, Pixels pixels)
        : ControlBinding(model, control, pixels),
          list_(model),
          listProcedure_(reinterpret_cast<WNDPROC>(GetClassLongPtrW(control, GCLP_WNDPROC))) {
        bind();
    }

    void command(WORD code) override {
        if (code == LBN_SELCHANGE) {
            list_.click(static_cast<int16_t>(SendMessageW(control_, LB_GETCURSEL, 0, 0)));
        } else if (code == LBN_DBLCLK && list_.onDoubleClick) {
            list_.onDoubleClick();
        }
    }

    bool preview(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_RBUTTONDOWN && list_.onRightButton) {
            list_.onRightButton();
            return true;
        }
        return ControlBinding::preview(message, wParam, lParam);
    }

  private:
    void apply() override {
        applyPlace();
        if (shownRevision_ != list_.itemsRevision()) {
            shownRevision_ = list_.itemsRevision();
            refill();
        }
        SendMessageW(control_, LB_SETCURSEL, static_cast<WPARAM>(list_.listIndex()), 0);
    }

    void refill() {
        const auto& items = list_.items();
        size_t bytes = 0;
        for (const auto& item : items) {
            bytes += (item.size() + 1) * sizeof(char16_t);
        }
        SendMessageW(control_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(control_, LB_RESETCONTENT, 0, 0);
        SendMessageW(control_, LB_INITSTORAGE, items.size(), static_cast<LPARAM>(bytes));
        for (const auto& item : items) {
            // The model's UTF-16 text is the desktop's wide text: no copy.
            CallWindowProcW(listProcedure_, control_, LB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(item.c_str()));
        }
        SendMessageW(control_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(control_, nullptr, TRUE);
    }

    ui::ListBox& list_;
    WNDPROC listProcedure_;
    uint64_t shownRevision_ = ~uint64_t{0};
};

// An edit box: the model's text is shown when it differs from the box's, and
// every change the user makes goes to the model; the keys typed into it reach
// the model before the box.
class TextBoxBinding : public ControlBinding {
  public:
    TextBoxBinding(ui::TextBox& model, HWND control, Pixels pixels)
        : ControlBinding(model, control, pixels), text_(model) {
        bind();
    }

    // A change the program made shows the model's text already; only the
    // user's changes are told.
    void command(WORD code) override {
        if (code == EN_CHANGE) {
            const std::u16string text = windowText(control_);
            if (text != text_.text()) {
                text_.userChanged(text);
            }
        }
    }

    bool preview(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_KEYDOWN && text_.onKeyDown) {
            text_.onKeyDown(static_cast<int16_t>(wParam), shiftState());
        }
        // An input method that starts its composition without a key the box
        // hears as VK_PROCESSKEY is told as that key.
        if (message == WM_IME_STARTCOMPOSITION && text_.onKeyDown) {
            text_.onKeyDown(VK_PROCESSKEY, shiftState());
        }
        if (message == WM_LBUTTONDBLCLK && text_.onDoubleClick) {
            text_.onDoubleClick();
        }
        return ControlBinding::preview(message, wParam, lParam);
    }

  private:
    void apply() override {
        applyPlace();
        if (windowText(control_) != text_.text()) {
            SetWindowTextW(control_, wide(text_.text()).c_str());
        }
        // A prefilled text is selected once, so that typing replaces it.
        if (text_.allSelected() && !selectionShown_) {
            SendMessageW(control_, EM_SETSEL, 0, -1);
        }
        selectionShown_ = text_.allSelected();
    }

    ui::TextBox& text_;
    bool selectionShown_ = false;
};

// A drop-down list: its entries are sent again only when they changed; the
// user's choice goes to the model.
class ComboBoxBinding : public ControlBinding {
  public:
    ComboBoxBinding(ui::ComboBox& model, HWND control, Pixels pixels)
        : ControlBinding(model, control, pixels), combo_(model) {
        bind();
    }

    void command(WORD code) override {
        if (code == CBN_SELCHANGE) {
            combo_.click(static_cast<int16_t>(SendMessageW(control_, CB_GETCURSEL, 0, 0)));
        }
    }

  private:
    void apply() override {
        applyPlace();
        if (shownItems_ != combo_.items()) {
            shownItems_ = combo_.items();
            SendMessageW(control_, CB_RESETCONTENT, 0, 0);
            for (size_t i = 0; i < shownItems_.size(); ++i) {
                const auto index =
                    SendMessageW(control_, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(wide(shownItems_[i]).c_str()));
                if (i < combo_.itemData.size()) {
                    SendMessageW(control_, CB_SETITEMDATA, static_cast<WPARAM>(index),
                                 static_cast<LPARAM>(combo_.itemData[i]));
                }
            }
        }
        SendMessageW(control_, CB_SETCURSEL, static_cast<WPARAM>(combo_.listIndex()), 0);
    }

    ui::ComboBox& combo_;
    std::vector<std::u16string> shownItems_;
};

// A check box: the user's clicks go to the model.
class CheckBoxBinding : public ControlBinding {
  public:
    CheckBoxBinding(ui::CheckBox& model, HWND control, Pixels pixels)
        : ControlBinding(model, control, pixels), check_(model) {
        SetWindowTextW(control_, wide(model.caption()).c_str());
        bind();
    }

    void command(WORD code) override {
        if (code == BN_CLICKED) {
            check_.setChecked(SendMessageW(control_, BM_GETCHECK, 0, 0) == BST_CHECKED);
        }
    }

  private:
    void apply() override {
        applyPlace();
        SendMessageW(control_, BM_SETCHECK, check_.checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    ui::CheckBox& check_;
};

// A button or a label: a caption; a button's click goes to its model, the
// mouse over a label to the label's. A label with its own text style draws
// in its font and colours.
template <typename Model>
class CaptionBinding : public ControlBinding {
  public:
    CaptionBinding(Model& model, HWND control, Pixels pixels)
        : ControlBinding(model, control, pixels), captioned_(model) {
        if constexpr (std::is_same_v<Model, ui::Label>) {
            if (model.textStyle) {
                useStyle(*model.textStyle);
            }
        }
        bind();
    }
    ~CaptionBinding() override {
        if (font_ != nullptr) {
            DeleteObject(font_);
        }
        if (brush_ != nullptr) {
            DeleteObject(brush_);
        }
    }

    HBRUSH colour(HDC dc) override {
        if constexpr (std::is_same_v<Model, ui::Label>) {
            if (brush_ != nullptr && highContrastOn()) {
                // The balloon's and the notices' colours give way to the
                // system's high-contrast ones.
                SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
                SetBkColor(dc, GetSysColor(COLOR_WINDOW));
                return GetSysColorBrush(COLOR_WINDOW);
            }
            if (brush_ != nullptr) {
                SetTextColor(dc, captioned_.textStyle->color);
                SetBkColor(dc, captioned_.textStyle->background);
                return brush_;
            }
        }
        return nullptr;
    }

    bool preview(UINT message, WPARAM wParam, LPARAM lParam) override {
        if constexpr (std::is_same_v<Model, ui::Label>) {
            if (message == WM_MOUSEMOVE && captioned_.onMouseMove) {
                captioned_.onMouseMove();
            }
        }
        return ControlBinding::preview(message, wParam, lParam);
    }

    void command(WORD code) override {
        if constexpr (std::is_same_v<Model, ui::Button>) {
            if (code == BN_CLICKED) {
                captioned_.click();
            }
        }
    }

    void rescale(HFONT messageFont) override {
        if constexpr (std::is_same_v<Model, ui::Label>) {
            if (captioned_.textStyle) {
                useStyle(*captioned_.textStyle);
                applyPlace();
                return;
            }
        }
        ControlBinding::rescale(messageFont);
    }

  private:
    void apply() override {
        applyPlace();
        SetWindowTextW(control_, wide(captioned_.caption()).c_str());
    }

    // The control lets go of the old font before it is deleted.
    void useStyle(const ui::TextStyle& style) {
        const HFONT oldFont = font_;
        const HBRUSH oldBrush = brush_;
        font_ = CreateFontW(-MulDiv(style.pointSize, pixels_.dpi(), 72), 0, 0, 0,
                            style.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                            wide(style.font).c_str());
        SendMessageW(control_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        brush_ = CreateSolidBrush(style.background);
        if (oldFont != nullptr) {
            DeleteObject(oldFont);
        }
        if (oldBrush != nullptr) {
            DeleteObject(oldBrush);
        }
    }

    Model& captioned_;
    HFONT font_ = nullptr;
    HBRUSH brush_ = nullptr;
};

struct ControlClass {
    const wchar_t* name;
    DWORD style;
};

ControlClass classOf(const ui::Control& model) {
    switch (model.kind()) {
        case ui::ControlKind::ListBox:
            return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT};
        case ui::ControlKind::TextBox:
            // Return in a multi-line box makes a new line; Tab leaves it.
            return static_cast<const ui::TextBox&>(model).multiline()
                       ? ControlClass{L"EDIT", WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                                   ES_AUTOVSCROLL | ES_WANTRETURN}
                       : ControlClass{L"EDIT", WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL};
        case ui::ControlKind::Button:
            return {L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON};
        case ui::ControlKind::ComboBox:
            return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};
        case ui::ControlKind::CheckBox:
            return {L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX};
        case ui::ControlKind::Label:
            break;
    }
    // SS_NOTIFY: the label hears the mouse.
    return {L"STATIC", SS_LEFT | SS_NOTIFY};
}

}  // namespace

std::u16string windowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return utf16(text);
}

ControlBinding* ControlBinding::of(HWND control) {
    return static_cast<ControlBinding*>(GetPropW(control, kBindingProperty));
}

ControlBinding::ControlBinding(ui::Control& model, HWND control, Pixels pixels)
    : model_(model), control_(control), pixels_(pixels) {
    SetWindowSubclass(control_, controlProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SetPropW(control_, kBindingProperty, this);
}

ControlBinding::~ControlBinding() {
    model_.setBinding(nullptr);
    RemoveWindowSubclass(control_, controlProcedure, kSubclassId);
    RemovePropW(control_, kBindingProperty);
}

void ControlBinding::bind() {
    model_.setBinding([this] { apply(); });
    apply();
}

void ControlBinding::applyPlace() {
    SetWindowPos(control_, nullptr, pixels_(model_.left()), pixels_(model_.top()),
                 pixels_(model_.width()), pixels_(model_.height()), SWP_NOZORDER | SWP_NOACTIVATE);
    // The control's own style, not IsWindowVisible: that is false for every
    // control of a hidden window, and a control created visible would never
    // be hidden while its window is.
    const bool shown = (GetWindowLongW(control_, GWL_STYLE) & WS_VISIBLE) != 0;
    // In the candidate list a control that appears goes above its siblings
    // (the edit-mode buttons lie on the description box); each control draws
    // only where no sibling above it lies. A dialog's controls keep the
    // order they were made in, which is the order Tab visits them in and the
    // one a screen reader takes a field's label from (the label before it).
    if (shown != model_.visible()) {
        const bool raise = model_.visible() && (GetWindowLongW(GetParent(control_), GWL_EXSTYLE) &
                                                WS_EX_NOACTIVATE) != 0;
        SetWindowPos(control_, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | (raise ? 0 : SWP_NOZORDER) |
                         (model_.visible() ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    }
    if (model_.focused() && GetFocus() != control_) {
        SetFocus(control_);
    }
}

void ControlBinding::rescale(HFONT messageFont) {
    SendMessageW(control_, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont), TRUE);
    applyPlace();
}

// The focus, whether the user or the program moved it, is the model's.
bool ControlBinding::preview(UINT message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
    if (message == WM_SETFOCUS) {
        model_.setFocused(true);
    } else if (message == WM_KILLFOCUS) {
        model_.setFocused(false);
    }
    return false;
}

std::unique_ptr<ControlBinding> bindControl(ui::Control& model, HWND parent, int id,
                                            HINSTANCE instance, Pixels pixels, HFONT font) {
    const ControlClass controlClass = classOf(model);
    HWND control = CreateWindowExW(
        0, controlClass.name, L"", WS_CHILD | WS_CLIPSIBLINGS | controlClass.style, 0, 0, 10, 10,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    switch (model.kind()) {
        case ui::ControlKind::ListBox:
            return std::make_unique<ListBoxBinding>(static_cast<ui::ListBox&>(model), control,
                                                    pixels);
        case ui::ControlKind::TextBox:
            return std::make_unique<TextBoxBinding>(static_cast<ui::TextBox&>(model), control,
                                                    pixels);
        case ui::ControlKind::Button:
            return std::make_unique<CaptionBinding<ui::Button>>(static_cast<ui::Button&>(model),
                                                                control, pixels);
        case ui::ControlKind::ComboBox:
            return std::make_unique<ComboBoxBinding>(static_cast<ui::ComboBox&>(model), control,
                                                     pixels);
        case ui::ControlKind::CheckBox:
            return std::make_unique<CheckBoxBinding>(static_cast<ui::CheckBox&>(model), control,
                                                     pixels);
        case ui::ControlKind::Label:
            break;
    }
    return std::make_unique<CaptionBinding<ui::Label>>(static_cast<ui::Label&>(model), control,
                                                       pixels);
}

}  // namespace wordvane::win32
