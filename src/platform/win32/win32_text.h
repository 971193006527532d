#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace wordvane::win32 {

// The program's UTF-16 text as the desktop's wide strings (both are UTF-16).
inline std::wstring wide(std::u16string_view text) {
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string utf16(std::wstring_view text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

inline std::u16string utf16(const wchar_t* text) {
    return text == nullptr ? std::u16string() : utf16(std::wstring_view(text));
}

// A window's class name (at most 128 characters).
inline std::u16string classNameOf(HWND window) {
    wchar_t name[129] = {};
    const int length = GetClassNameW(window, name, 128);
    return utf16(std::wstring_view(name, static_cast<size_t>(length > 0 ? length : 0)));
}

// The system's own words for an error code, in the user's language (the
// number itself when the system has none), without the closing line break.
inline std::u16string systemErrorText(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string words = length > 0 ? utf16(std::wstring_view(text, length)) : u"";
    LocalFree(text);
    while (!words.empty() && (words.back() == u'\r' || words.back() == u'\n')) {
        words.pop_back();
    }
    if (words.empty()) {
        const std::wstring number = std::to_wstring(error);
        words = utf16(number);
    }
    return words;
}

}  // namespace wordvane::win32
