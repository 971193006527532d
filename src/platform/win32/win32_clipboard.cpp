#include <cstring>

#include "platform/win32/win32_platform.h"

namespace wordvane::win32 {

namespace {

// Puts `bytes` bytes of `data` on the open clipboard in `format`.
bool putClipboardData(UINT format, const void* data, size_t bytes) {
    GlobalMemory memory(bytes);
    if (memory.get() == nullptr) {
        return false;
    }
    {
        GlobalLockGuard<char> locked(memory.get());
        if (locked.get() == nullptr) {
            return false;
        }
        std::memcpy(locked.get(), data, bytes);
    }
    if (SetClipboardData(format, memory.get()) == nullptr) {
        return false;
    }
    memory.release();
    return true;
}

void putNoHistoryMarks() {
    const DWORD zero = 0;
    putClipboardData(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
                     &zero, sizeof(zero));
    putClipboardData(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), &zero,
                     sizeof(zero));
}

}  // namespace

std::optional<std::u16string> Win32Platform::clipboardText() {
    ClipboardLock clipboard(nullptr);
    if (!clipboard.open()) {
        return std::nullopt;
    }
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        return std::nullopt;
    }
    GlobalLockGuard<const char16_t> locked(data);
    if (locked.get() == nullptr) {
        return std::nullopt;
    }
    const size_t capacity = GlobalSize(data) / sizeof(char16_t);
    size_t length = 0;
    while (length < capacity && locked.get()[length] != u'\0') {
        ++length;
    }
    return std::u16string(locked.get(), length);
}

// The text goes on the clipboard in Unicode, so that no character is lost,
// and marked so that clipboard histories (the system's included) leave out
// what the program only puts there to paste.
bool Win32Platform::putClipboardText(const std::u16string& text) {
    ClipboardLock clipboard(mainWindow_);
    if (!clipboard.open() || !EmptyClipboard()) {
        return false;
    }
    if (!putClipboardData(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(char16_t))) {
        return false;
    }
    putNoHistoryMarks();
    return true;
}

namespace {

// Formats whose data is a GDI object or private to the program that put it
// there, not global memory: CF_BITMAP and CF_DSPBITMAP (the system renders
// them from CF_DIB, which is saved), CF_PALETTE, CF_METAFILEPICT and
// CF_DSPMETAFILEPICT (rendered from CF_ENHMETAFILE, saved as its bits),
// CF_DSPENHMETAFILE, CF_OWNERDISPLAY (drawn by its owner on request), and
// the private (0x200-0x2FF) and GDI object (0x300-0x3FF) ranges. These cannot
// be saved and are left out.
bool savable(UINT format) {
    switch (format) {
        case CF_BITMAP:
        case CF_DSPBITMAP:
        case CF_PALETTE:
        case CF_METAFILEPICT:
        case CF_DSPMETAFILEPICT:
        case CF_DSPENHMETAFILE:
        case CF_OWNERDISPLAY:
            return false;
        default:
            return format < CF_PRIVATEFIRST || format > CF_GDIOBJLAST;
    }
}

std::optional<std::string> formatBytes(UINT format) {
    const HANDLE data = GetClipboardData(format);
    if (data == nullptr) {
        return std::nullopt;
    }
    if (format == CF_ENHMETAFILE) {
        const auto metafile = static_cast<HENHMETAFILE>(data);
        std::string bytes(GetEnhMetaFileBits(metafile, 0, nullptr), '\0');
        GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()),
                           reinterpret_cast<BYTE*>(bytes.data()));
        return bytes;
    }
    GlobalLockGuard<const char> locked(data);
    if (locked.get() == nullptr) {
        return std::nullopt;
    }
    return std::string(locked.get(), GlobalSize(data));
}

}  // namespace

std::optional<ClipboardSnapshot> Win32Platform::saveClipboard() {
    ClipboardLock clipboard(mainWindow_);
    if (!clipboard.open()) {
        return std::nullopt;
    }
    ClipboardSnapshot snapshot;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        if (!savable(format)) {
            continue;
        }
        if (auto bytes = formatBytes(format)) {
            snapshot.formats.push_back({format, std::move(*bytes)});
        }
    }
    return snapshot;
}

bool Win32Platform::restoreClipboard(const ClipboardSnapshot& snapshot) {
    ClipboardLock clipboard(mainWindow_);
    if (!clipboard.open() || !EmptyClipboard()) {
        return false;
    }
    bool all = true;
    for (const auto& format : snapshot.formats) {
        if (format.id == CF_ENHMETAFILE) {
            const HENHMETAFILE metafile =
                SetEnhMetaFileBits(static_cast<UINT>(format.bytes.size()),
                                   reinterpret_cast<const BYTE*>(format.bytes.data()));
            all =
                all && metafile != nullptr && SetClipboardData(CF_ENHMETAFILE, metafile) != nullptr;
        } else {
            all = all && putClipboardData(format.id, format.bytes.data(), format.bytes.size());
        }
    }
    if (!snapshot.formats.empty()) {
        putNoHistoryMarks();
    }
    return all;
}

uint32_t Win32Platform::clipboardChangeCount() {
    return GetClipboardSequenceNumber();
}

namespace {

bool hasFormat(const wchar_t* name) {
    return IsClipboardFormatAvailable(RegisterClipboardFormatW(name)) != FALSE;
}

// Password managers and the program's own insertions mark their copies for
// clipboard histories to leave out.
bool markedForNoHistory() {
    if (hasFormat(L"ExcludeClipboardContentFromMonitorProcessing") ||
        hasFormat(L"Clipboard Viewer Ignore")) {
        return true;
    }
    const HANDLE allowed =
        GetClipboardData(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"));
    if (allowed == nullptr || GlobalSize(allowed) < sizeof(DWORD)) {
        return false;
    }
    GlobalLockGuard<const DWORD> value(allowed);
    return value.get() != nullptr && *value.get() == 0;
}

}  // namespace

// One attempt only: a clipboard another program holds is tried again at the
// next capture. The text's length is found before anything is copied, so a
// text over the limit costs no copy.
ClipboardCopy Win32Platform::copyClipboardForHistory(size_t maxCharacters) {
    using Status = ClipboardCopy::Status;
    ClipboardLock clipboard(nullptr, 1);
    if (!clipboard.open()) {
        return {Status::Busy, u""};
    }
    if (markedForNoHistory()) {
        return {Status::Excluded, u""};
    }
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (data == nullptr) {
        return {Status::NoText, u""};
    }
    GlobalLockGuard<const char16_t> locked(data);
    if (locked.get() == nullptr) {
        return {Status::NoText, u""};
    }
    const size_t capacity = GlobalSize(data) / sizeof(char16_t);
    size_t length = 0;
    while (length < capacity && locked.get()[length] != u'\0') {
        if (length == maxCharacters) {
            return {Status::TooLong, u""};
        }
        ++length;
    }
    return {Status::Text, std::u16string(locked.get(), length)};
}

}  // namespace wordvane::win32
