// What screen readers hear of the candidate list, which never takes the
// keyboard: the selection's WinEvents, and a UI Automation notification that
// reads the entry and its description.

#include <windows.h>
// After windows.h, which they need.
#include <oleauto.h>
#include <uiautomationcore.h>

#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_screen.h"
#include "platform/win32/win32_text.h"

namespace wordvane::win32 {

namespace {

// UI Automation's notification (Windows 10 1709 and later); absent on older
// systems and a stub under Wine.
using HostProvider = HRESULT(WINAPI*)(HWND, IRawElementProviderSimple**);
using RaiseNotification = HRESULT(WINAPI*)(IRawElementProviderSimple*, int kind, int processing,
                                           BSTR text, BSTR activity);
using ClientsListening = BOOL(WINAPI*)();
constexpr int kNotificationKindActionCompleted = 2;
constexpr int kNotificationProcessingMostRecent = 3;

class Bstr {
  public:
    explicit Bstr(const std::wstring& text) : text_(SysAllocString(text.c_str())) {}
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    BSTR get() const { return text_; }

  private:
    BSTR text_;
};

void notify(HWND window, const std::u16string& text) {
    static const auto listening =
        systemFunction<ClientsListening>(L"uiautomationcore.dll", "UiaClientsAreListening");
    static const auto host =
        systemFunction<HostProvider>(L"uiautomationcore.dll", "UiaHostProviderFromHwnd");
    static const auto raise =
        systemFunction<RaiseNotification>(L"uiautomationcore.dll", "UiaRaiseNotificationEvent");
    if (listening == nullptr || host == nullptr || raise == nullptr || !listening()) {
        return;
    }
    ComPtr<IRawElementProviderSimple> provider;
    if (FAILED(host(window, provider.out())) || !provider) {
        return;
    }
    const Bstr spoken(wide(text));
    const Bstr activity(L"Wordvane.Selection");
    raise(provider.get(), kNotificationKindActionCompleted, kNotificationProcessingMostRecent,
          spoken.get(), activity.get());
}

}  // namespace

// The list box's item (child id = line + 1) is the selected one and the
// object of attention, as if the list had the keyboard.
void Win32Platform::announceSelection(WindowHandle window, int line, const std::u16string& text) {
    const HWND form = reinterpret_cast<HWND>(window);
    const HWND list = FindWindowExW(form, nullptr, L"ListBox", nullptr);
    if (list == nullptr) {
        return;
    }
    NotifyWinEvent(EVENT_OBJECT_SELECTION, list, OBJID_CLIENT, line + 1);
    NotifyWinEvent(EVENT_OBJECT_FOCUS, list, OBJID_CLIENT, line + 1);
    notify(list, text);
}

bool highContrastOn() {
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace wordvane::win32
