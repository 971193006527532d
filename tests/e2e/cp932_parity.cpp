// The program's code page 932 codec against the system's conversions: every
// single byte and every pair of bytes read, every code unit written, and a
// few longer texts. Prints one JSON line: how many were compared and the
// first differences.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lists/cp932.h"
#include "parity_tally.h"

namespace {

constexpr UINT kCodePage = 932;

std::u16string systemDecode(const std::string& bytes) {
    std::wstring text(bytes.size() + 1, L'\0');
    const int length =
        MultiByteToWideChar(kCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                            static_cast<int>(text.size()));
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()),
                          static_cast<size_t>(length));
}

std::string systemEncode(const std::u16string& text) {
    std::string bytes(text.size() * 2 + 1, '\0');
    const int length = WideCharToMultiByte(
        kCodePage, 0, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()),
        bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    bytes.resize(static_cast<size_t>(length));
    return bytes;
}

}  // namespace

int main() {
    Tally tally;
    for (int first = 0; first < 256; ++first) {
        const std::string one(1, static_cast<char>(first));
        tally.compare("read", one, wordvane::decodeCp932(one), systemDecode(one));
        for (int second = 0; second < 256; ++second) {
            const std::string two{static_cast<char>(first), static_cast<char>(second)};
            tally.compare("read", two, wordvane::decodeCp932(two), systemDecode(two));
        }
    }
    for (unsigned unit = 0; unit < 0x10000; ++unit) {
        const std::u16string one(1, static_cast<char16_t>(unit));
        tally.compare("write", one, wordvane::encodeCp932(one), systemEncode(one));
    }
    for (const std::string text :
         {"\x82\xA0\x82\r\n\x82", "\xEF\xBB\xBF\x83\x41x\x81", "a\x82\0b"}) {
        tally.compare("read", text, wordvane::decodeCp932(text), systemDecode(text));
    }
    for (const std::u16string text : {u"a😀b", u"〜～é\\¥", u"\xDE00\xD83D"}) {
        tally.compare("write", text, wordvane::encodeCp932(text), systemEncode(text));
    }
    return tally.report();
}
