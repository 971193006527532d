// Asks the accessibility sources where the caret is, on a thread of their own.

#include "platform/win32/caret_worker.h"

// After windows.h, which they need.
#include <objbase.h>
#include <oleacc.h>

#include "platform/win32/win32_handles.h"

namespace wordvane::win32 {

namespace {

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
constexpr CLSID kCuiAutomation8 = {
    0xe22ad333, 0xb25f, 0x460c, {0x83, 0xd0, 0x05, 0x81, 0x10, 0x73, 0x95, 0xc9}};
constexpr IID kIuiAutomation2 = {
    0x34723aff, 0x0c9d, 0x49d0, {0x98, 0x96, 0x7a, 0xb5, 0x2d, 0xf8, 0xcd, 0x8a}};
// IUIAutomation2's put_ConnectionTimeout and put_TransactionTimeout, by
// their places in its table (after IUnknown's 3 and IUIAutomation's 55).
constexpr int kSetConnectionTimeoutSlot = 61;
constexpr int kSetTransactionTimeoutSlot = 63;
constexpr IID kIuiAutomationTextPattern = {
    0x32eba289, 0x3583, 0x42c9, {0x9c, 0x59, 0x3b, 0x6d, 0x9a, 0x1e, 0x9b, 0x6a}};
constexpr int kTextPatternId = 10014;
constexpr int kTextUnitCharacter = 0;

// The first rectangle of a range, in screen pixels.
std::optional<Rect> firstRectangle(UiaTextRange* range) {
    std::optional<Rect> found;
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
            const auto left = static_cast<int32_t>(values[0]);
            const auto top = static_cast<int32_t>(values[1]);
            found = Rect{left, top, left + static_cast<int32_t>(values[2]),
                         top + static_cast<int32_t>(values[3])};
        }
        SafeArrayUnaccessData(rectangles);
    }
    SafeArrayDestroy(rectangles);
    return found;
}

// The client object of UI Automation, made once on the worker's thread;
// its own waits for an application are set to the time a question has
// (the calls that set them exist from Windows 8 on).
UiaAutomation* automationClient(DWORD waitMs) {
    static UiaAutomation* client = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        if (FAILED(CoCreateInstance(kCuiAutomation8, nullptr, CLSCTX_INPROC_SERVER, kIuiAutomation,
                                    reinterpret_cast<void**>(&client))) &&
            FAILED(CoCreateInstance(kCuiAutomation, nullptr, CLSCTX_INPROC_SERVER, kIuiAutomation,
                                    reinterpret_cast<void**>(&client)))) {
            client = nullptr;
        }
    }
    ComPtr<IUnknown> second;
    if (client != nullptr && SUCCEEDED(client->QueryInterface(kIuiAutomation2, second.outVoid())) &&
        second) {
        using SetTimeout = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, DWORD);
        void** const slots = *reinterpret_cast<void***>(second.get());
        reinterpret_cast<SetTimeout>(slots[kSetConnectionTimeoutSlot])(second.get(), waitMs);
        reinterpret_cast<SetTimeout>(slots[kSetTransactionTimeoutSlot])(second.get(), waitMs);
    }
    return client;
}

// The focused element's text selection; an empty selection (the caret) is
// widened to the character after it, which has a rectangle.
std::optional<Rect> automationCaret(DWORD waitMs) {
    UiaAutomation* const automation = automationClient(waitMs);
    ComPtr<UiaElement> element;
    ComPtr<UiaTextPattern> pattern;
    ComPtr<UiaTextRangeArray> selection;
    ComPtr<UiaTextRange> range;
    int count = 0;
    if (automation == nullptr || FAILED(automation->GetFocusedElement(element.out())) || !element ||
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

std::optional<Rect> accessibleCaret(HWND window) {
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
    return Rect{left, top, left + width, top + height};
}

// The application's window answers messages within `waitMs`; a hung one
// is not asked at all.
bool answers(HWND window, DWORD waitMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, waitMs, &result) != 0;
}

}  // namespace

CaretWorker& CaretWorker::instance() {
    static CaretWorker* const worker = new CaretWorker();
    return *worker;
}

std::optional<Rect> CaretWorker::ask(CaretSource source, HWND window, DWORD waitMs) {
    AcquireSRWLockExclusive(&lock_);
    if (thread_ == nullptr) {
        thread_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
    }
    if (thread_ == nullptr || busy_) {
        ReleaseSRWLockExclusive(&lock_);
        return std::nullopt;
    }
    busy_ = true;
    const unsigned number = ++number_;
    source_ = source;
    window_ = window;
    waitMs_ = waitMs;
    WakeConditionVariable(&asked_);
    const ULONGLONG until = GetTickCount64() + waitMs;
    while (answeredNumber_ != number) {
        const ULONGLONG now = GetTickCount64();
        if (now >= until ||
            !SleepConditionVariableSRW(&answered_, &lock_, static_cast<DWORD>(until - now), 0)) {
            break;
        }
    }
    std::optional<Rect> answer;
    if (answeredNumber_ == number) {
        answer = answer_;
    }
    ReleaseSRWLockExclusive(&lock_);
    return answer;
}

DWORD WINAPI CaretWorker::run(void* self) {
    if (SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
        static_cast<CaretWorker*>(self)->serve();
    }
    return 0;
}

void CaretWorker::serve() {
    AcquireSRWLockExclusive(&lock_);
    for (;;) {
        while (!busy_ || answeredNumber_ == number_) {
            SleepConditionVariableSRW(&asked_, &lock_, INFINITE, 0);
        }
        const unsigned number = number_;
        const CaretSource source = source_;
        const HWND window = window_;
        const DWORD waitMs = waitMs_;
        ReleaseSRWLockExclusive(&lock_);
        std::optional<Rect> answer;
        if (answers(window, waitMs)) {
            answer = source == CaretSource::Accessible ? accessibleCaret(window)
                                                       : automationCaret(waitMs);
        }
        AcquireSRWLockExclusive(&lock_);
        answer_ = answer;
        answeredNumber_ = number;
        busy_ = false;
        WakeAllConditionVariable(&answered_);
    }
}

}  // namespace wordvane::win32
