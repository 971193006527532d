// The candidate list's refill with the largest list a file allows, on the
// real desktop (run under Wine by scripts/bench.sh): the binding of List1
// against a bare fill of a list box of the same kind and a bare owner-data
// list box, in the same run. Prints the median of each and their ratio.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/form_binder.h"
#include "platform/win32/win32_platform.h"
#include "ui/forms.h"

namespace {

using namespace wordvane;

constexpr int kItems = 32767;
constexpr int kRounds = 21;
// The fill that redraws on every line takes long: fewer rounds of it.
constexpr int kNaiveRounds = 3;

double milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

template <typename Work>
double timed(Work work) {
    LARGE_INTEGER start;
    LARGE_INTEGER end;
    QueryPerformanceCounter(&start);
    work();
    QueryPerformanceCounter(&end);
    return milliseconds(start, end);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::vector<std::u16string> lines(char first) {
    std::vector<std::u16string> items;
    items.reserve(kItems);
    for (int i = 0; i < kItems; ++i) {
        char name[16];
        std::snprintf(name, sizeof(name), "%c%05d", first, i);
        items.emplace_back(name, name + 6);
    }
    return items;
}

HWND listBox(HWND parent, DWORD extraStyle) {
    HWND list = CreateWindowExW(
        0, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | extraStyle, 0, 0,
        185, 184, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return list;
}

std::u16string lineOf(HWND list, int index) {
    wchar_t text[64] = {};
    const LRESULT length =
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return length < 0 ? std::u16string() : std::u16string(text, text + length);
}

}  // namespace

int wmain() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    win32::Win32Platform platform(instance);
    ui::Forms forms;
    win32::FormBinder binder(forms, platform, instance);
    HWND list1 = GetDlgItem(binder.window(1), forms.form1.controls().front().id);

    // The bare list boxes live in a hidden window of their own, as List1 does.
    HWND parent = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200,
                                  nullptr, nullptr, instance, nullptr);
    HWND bare = listBox(parent, 0);
    HWND ownerData = listBox(parent, LBS_NODATA | LBS_OWNERDRAWFIXED);

    const std::vector<std::u16string> sets[2] = {lines('w'), lines('x')};
    std::vector<double> binding;
    std::vector<double> unchanged;
    std::vector<double> bareFill;
    std::vector<double> naiveFill;
    std::vector<double> setCount;
    for (int round = 0; round < kRounds; ++round) {
        const auto& items = sets[round % 2];
        std::vector<std::u16string> copy = items;
        binding.push_back(timed([&] { forms.form1.List1.setItems(std::move(copy)); }));
        std::vector<std::u16string> same = items;
        unchanged.push_back(timed([&] { forms.form1.List1.setItems(std::move(same)); }));
        bareFill.push_back(timed([&] {
            SendMessageW(bare, WM_SETREDRAW, FALSE, 0);
            SendMessageW(bare, LB_RESETCONTENT, 0, 0);
            for (const auto& item : items) {
                SendMessageW(bare, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            }
            SendMessageW(bare, WM_SETREDRAW, TRUE, 0);
        }));
        if (round < kNaiveRounds) {
            naiveFill.push_back(timed([&] {
                SendMessageW(bare, LB_RESETCONTENT, 0, 0);
                for (const auto& item : items) {
                    SendMessageW(bare, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
                }
            }));
        }
        setCount.push_back(timed([&] {
            SendMessageW(ownerData, LB_RESETCONTENT, 0, 0);
            SendMessageW(ownerData, LB_SETCOUNT, kItems, 0);
        }));
        // Every line of List1 stays readable, as screen readers and the
        // end-to-end tests read it.
        if (SendMessageW(list1, LB_GETCOUNT, 0, 0) != kItems ||
            lineOf(list1, kItems - 1) != items.back()) {
            std::printf("List1 does not hold the lines it was given\n");
            return 1;
        }
    }
    const double bindingMs = median(binding);
    const double bareMs = median(bareFill);
    const double setCountMs = median(setCount);
    std::printf("List1 refill, %d lines, median of %d rounds:\n", kItems, kRounds);
    std::printf("  the binding's refill of List1                       %8.2f ms\n", bindingMs);
    std::printf("  the binding, the same lines again                   %8.2f ms\n",
                median(unchanged));
    std::printf("  bare LB_ADDSTRING fill, redraw off                  %8.2f ms\n", bareMs);
    std::printf("  bare LB_ADDSTRING fill, redrawn every line (%d runs) %8.2f ms\n", kNaiveRounds,
                median(naiveFill));
    std::printf("  bare LB_SETCOUNT, owner-data list box               %8.2f ms\n", setCountMs);
    std::printf("  binding / bare fill                                 %8.2f\n",
                bindingMs / bareMs);
    std::fflush(stdout);
    DestroyWindow(parent);
    return 0;
}
