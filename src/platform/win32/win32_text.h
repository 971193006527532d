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

}  // namespace wordvane::win32
