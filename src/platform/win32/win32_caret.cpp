// Where the caret of the foreground application is. Every source is asked
// with a bound on its time: a hung application is never waited for.

#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <oleacc.h>

#include <memory>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace wordvane::win32 {

namespace {

// How long one source may take.
constexpr DWORD kAnswerMs = 150;

// The few UI Automation client calls needed here, declared by their place
// in the interfaces (the MinGW headers leave the interfaces out); the slots
// before and between them are never called.
struct UiaTextRange : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Clone(UiaTextRange** clone) = 0;
    virtual HRESULT STDMETHODCALLTYPE unused1() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused2() = 0;
    virtual HRESULT STDMETHODCALLTYPE ExpandToEnclosingUnit(int unit) = 0;
    virtual HRESULT STDMETHODCALLTYPE unused4() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused5() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused6() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBoundingRectangles(SAFEARRAY** rectangles) = 0;
};
struct UiaTextRangeArray : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE get_Length(int* length) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetElement(int index, UiaTextRange** range) = 0;
};
struct UiaTextPattern : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE unused0() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused1() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSelection(UiaTextRangeArray** ranges) = 0;
};
struct UiaElement : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE unused0() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused1() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused2() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused3() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused4() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused5() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused6() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused7() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused8() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused9() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused10() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCurrentPatternAs(int pattern, REFIID id,
                                                          void** object) = 0;
};
struct UiaAutomation : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE unused0() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused1() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused2() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused3() = 0;
    virtual HRESULT STDMETHODCALLTYPE unused4() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFocusedElement(UiaElement** element) = 0;
};

constexpr CLSID kCuiAutomation = {
    0xff48dba4, 0x60ef, 0x4201, {0xaa, 0x87, 0x54, 0x10, 0x3e, 0xef, 0x59, 0x4e}};
constexpr IID kIuiAutomation = {
    0x30cbe57d, 0xd9d0, 0x452a, {0xab, 0x13, 0x7a, 0xc5, 0xac, 0x48, 0x25, 0xee}};
constexpr IID kIuiAutomationTextPattern = {
    0x32eba289, 0x3583, 0x42c9, {0x9c, 0x59, 0x3b, 0x6d, 0x9a, 0x1e, 0x9b, 0x6a}};
constexpr int kTextPatternId = 10014;
constexpr int kTextUnitCharacter = 0;

// Releases a COM object when it goes.
template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (object_ != nullptr) {
            object_->Release();
        }
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T** out() { return &object_; }
    void** outVoid() { return reinterpret_cast<void**>(&object_); }
    T* operator->() const { return object_; }
    T* get() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }

  private:
    T* object_ = nullptr;
};

// The first rectangle of a range, in screen pixels.
std::optional<Point> firstRectangle(UiaTextRange* range) {
    std::optional<Point> found;
    SAFEARRAY* rectangles = nullptr;
    const HRESULT result = range->GetBoundingRectangles(&rectangles);
    if (FAILED(result) || rectangles == nullptr) {
        return found;
    }
    double* values = nullptr;
    if (SafeArrayGetDim(rectangles) == 1 &&
        SUCCEEDED(SafeArrayAccessData(rectangles, reinterpret_cast<void**>(&values)))) {
        LONG lower = 0;
        LONG upper = -1;
        SafeArrayGetLBound(rectangles, 1, &lower);
        SafeArrayGetUBound(rectangles, 1, &upper);
        if (upper - lower + 1 >= 4) {
            found = Point{static_cast<int32_t>(values[0]), static_cast<int32_t>(values[1])};
        }
        SafeArrayUnaccessData(rectangles);
    }
    SafeArrayDestroy(rectangles);
    return found;
}

// The focused element's text selection; an empty selection (the caret) is
// widened to the character after it, which has a rectangle.
std::optional<Point> automationCaret() {
    ComPtr<UiaAutomation> automation;
    ComPtr<UiaElement> element;
    ComPtr<UiaTextPattern> pattern;
    ComPtr<UiaTextRangeArray> selection;
    ComPtr<UiaTextRange> range;
    int count = 0;
    if (FAILED(CoCreateInstance(kCuiAutomation, nullptr, CLSCTX_INPROC_SERVER, kIuiAutomation,
                                automation.outVoid())) ||
        FAILED(automation->GetFocusedElement(element.out())) || !element ||
        FAILED(element->GetCurrentPatternAs(kTextPatternId, kIuiAutomationTextPattern,
                                            pattern.outVoid())) ||
        !pattern || FAILED(pattern->GetSelection(selection.out())) || !selection ||
        FAILED(selection->get_Length(&count)) || count < 1 ||
        FAILED(selection->GetElement(0, range.out())) || !range) {
        return std::nullopt;
    }
    if (auto point = firstRectangle(range.get())) {
        return point;
    }
    ComPtr<UiaTextRange> character;
    if (FAILED(range->Clone(character.out())) || !character ||
        FAILED(character->ExpandToEnclosingUnit(kTextUnitCharacter))) {
        return std::nullopt;
    }
    return firstRectangle(character.get());
}

std::optional<Point> accessibleCaret(HWND window) {
    ComPtr<IAccessible> caret;
    if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CARET), IID_IAccessible,
                                          caret.outVoid())) ||
        !caret) {
        return std::nullopt;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    long left = 0;
    long top = 0;
    long width = 0;
    long height = 0;
    if (FAILED(caret->accLocation(&left, &top, &width, &height, self)) ||
        (left == 0 && top == 0 && width == 0 && height == 0)) {
        return std::nullopt;
    }
    return Point{left, top};
}

// One question to an accessibility source, on a thread of its own: when
// the application does not answer in time, the answer is left to the thread.
struct Question {
    CaretSource source;
    HWND window;
    std::optional<Point> answer;
};

DWORD WINAPI askOnThread(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Question>> held(
        static_cast<std::shared_ptr<Question>*>(parameter));
    Question& question = **held;
    if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        question.answer = question.source == CaretSource::Accessible
                              ? accessibleCaret(question.window)
                              : automationCaret();
        CoUninitialize();
    }
    return 0;
}

std::optional<Point> askBounded(CaretSource source, HWND window) {
    auto question = std::make_shared<Question>(Question{source, window, std::nullopt});
    auto* held = new std::shared_ptr<Question>(question);
    const HANDLE thread = CreateThread(nullptr, 0, askOnThread, held, 0, nullptr);
    if (thread == nullptr) {
        delete held;
        return std::nullopt;
    }
    const bool answered = WaitForSingleObject(thread, kAnswerMs) == WAIT_OBJECT_0;
    CloseHandle(thread);
    return answered ? question->answer : std::nullopt;
}

// The application's window answers messages within the bound.
bool answers(HWND window) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result) != 0;
}

std::optional<Caret> systemCaret(HWND foreground, DWORD thread) {
    const DWORD self = GetCurrentThreadId();
    if (thread == self || !answers(foreground) || !AttachThreadInput(self, thread, TRUE)) {
        return std::nullopt;
    }
    const HWND focus = GetFocus();
    POINT position{};
    RECT rect{};
    const bool found = focus != nullptr && GetCaretPos(&position) &&
                       (position.x != 0 || position.y != 0) && GetWindowRect(focus, &rect);
    AttachThreadInput(self, thread, FALSE);
    if (!found) {
        return std::nullopt;
    }
    return Caret{{rect.left + position.x, rect.top + position.y}, classNameOf(focus)};
}

}  // namespace

std::optional<Caret> Win32Platform::caret(CaretSource source) {
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) {
        return std::nullopt;
    }
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(foreground, &process);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    const bool threadInfo = GetGUIThreadInfo(thread, &info) != FALSE;
    const HWND focus = threadInfo && info.hwndFocus != nullptr ? info.hwndFocus : foreground;
    switch (source) {
        case CaretSource::SystemCaret:
            return systemCaret(foreground, thread);
        case CaretSource::ThreadInfo: {
            if (!threadInfo || info.hwndCaret == nullptr ||
                (info.rcCaret.left == 0 && info.rcCaret.top == 0)) {
                return std::nullopt;
            }
            POINT position{info.rcCaret.left, info.rcCaret.top};
            ClientToScreen(info.hwndCaret, &position);
            return Caret{{position.x, position.y}, classNameOf(info.hwndCaret)};
        }
        case CaretSource::Accessible:
        case CaretSource::Automation:
            // Our own windows would have to answer while we wait.
            if (process == GetCurrentProcessId() || !answers(foreground)) {
                return std::nullopt;
            }
            if (const auto point = askBounded(source, focus)) {
                return Caret{*point, classNameOf(focus)};
            }
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace wordvane::win32
