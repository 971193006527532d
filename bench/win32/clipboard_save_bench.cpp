// Saving the user's clipboard before an insertion, on the real desktop (run
// under Wine by scripts/bench.sh): the program's save of the portable
// formats against a bare save of every format the clipboard holds, in the
// same run, over a clipboard as a spreadsheet leaves it: text and HTML of a
// large range, an image, and large formats of its own. Prints the median of
// each, the bytes each kept, and their ratio.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace {

using namespace wordvane;

constexpr int kRounds = 11;
constexpr size_t kMiB = 1024 * 1024;

double milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void put(UINT format, size_t bytes, char fill) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    char* data = static_cast<char*>(GlobalLock(memory));
    std::fill(data, data + bytes, fill);
    data[bytes - 1] = 0;
    data[bytes - 2] = 0;
    GlobalUnlock(memory);
    SetClipboardData(format, memory);
}

// What a spreadsheet puts on the clipboard for a large range.
void fillClipboard(HWND owner) {
    OpenClipboard(owner);
    EmptyClipboard();
    put(CF_UNICODETEXT, 2 * kMiB, 'a');
    put(RegisterClipboardFormatW(L"HTML Format"), 2 * kMiB, 'h');
    put(CF_DIB, 4 * kMiB, 0x10);
    put(RegisterClipboardFormatW(L"Biff12"), 16 * kMiB, 'b');
    put(RegisterClipboardFormatW(L"Embed Source"), 8 * kMiB, 'e');
    CloseClipboard();
}

// Every format the clipboard holds, as a save of everything does.
size_t bareSaveOfEverything(HWND owner) {
    size_t kept = 0;
    std::vector<std::string> formats;
    OpenClipboard(owner);
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        const HANDLE data = GetClipboardData(format);
        if (data == nullptr || format == CF_BITMAP || format == CF_ENHMETAFILE ||
            format == CF_METAFILEPICT || format == CF_PALETTE) {
            continue;
        }
        const char* bytes = static_cast<const char*>(GlobalLock(data));
        if (bytes != nullptr) {
            formats.emplace_back(bytes, GlobalSize(data));
            kept += formats.back().size();
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return kept;
}

}  // namespace

int wmain() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                 instance, nullptr);
    HWND saver = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                 instance, nullptr);
    win32::Win32Platform platform(instance);
    platform.setMainWindow(saver);
    std::vector<double> portable;
    std::vector<double> everything;
    size_t portableBytes = 0;
    size_t everythingBytes = 0;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        fillClipboard(owner);
        QueryPerformanceCounter(&start);
        const auto snapshot = platform.saveClipboard();
        QueryPerformanceCounter(&end);
        portable.push_back(milliseconds(start, end));
        portableBytes = 0;
        for (const auto& format : snapshot->formats) {
            portableBytes += format.bytes.size();
        }
        fillClipboard(owner);
        QueryPerformanceCounter(&start);
        everythingBytes = bareSaveOfEverything(saver);
        QueryPerformanceCounter(&end);
        everything.push_back(milliseconds(start, end));
    }
    std::printf("save of the portable formats: %.1f ms, %zu bytes\n", median(portable),
                portableBytes);
    std::printf("bare save of every format (baseline): %.1f ms, %zu bytes\n", median(everything),
                everythingBytes);
    std::printf("ratio: %.2f\n", median(portable) / median(everything));
    return 0;
}
