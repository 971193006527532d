#include <algorithm>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace wordvane::win32 {

namespace {

constexpr UINT kCodePage = 932;

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

std::optional<std::string> Win32Platform::readFile(const std::u16string& path) {
    UniqueHandle file(CreateFileW(wide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        return std::nullopt;
    }
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr)) {
        if (read == 0) {
            return bytes;
        }
        bytes.append(buffer, read);
    }
    return std::nullopt;
}

// The new content goes to a temporary file beside the old one, which is
// replaced only once the whole content is on disk.
bool Win32Platform::writeFile(const std::u16string& path, std::string_view bytes) {
    const std::wstring target = wide(path);
    const std::wstring temporary = target + L".saving";
    {
        UniqueHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            return false;
        }
        if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
            file.reset();
            DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (!MoveFileExW(temporary.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

std::u16string Win32Platform::decodeAnsi(std::string_view bytes) {
    if (bytes.empty()) {
        return u"";
    }
    const int length =
        MultiByteToWideChar(kCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(kCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        length);
    return utf16(text);
}

// A character that code page 932 cannot hold becomes "?" (the code page's
// default character), never nothing.
std::string Win32Platform::encodeAnsi(std::u16string_view text) {
    if (text.empty()) {
        return "";
    }
    const std::wstring wideText = wide(text);
    const int length =
        WideCharToMultiByte(kCodePage, 0, wideText.data(), static_cast<int>(wideText.size()),
                            nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(kCodePage, 0, wideText.data(), static_cast<int>(wideText.size()),
                        bytes.data(), length, nullptr, nullptr);
    return bytes;
}

}  // namespace wordvane::win32
