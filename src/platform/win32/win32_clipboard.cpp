#include <algorithm>
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

bool putUnicodeText(const std::u16string& text) {
    return putClipboardData(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(char16_t));
}

// The three marks by which clipboard histories, the system's included, leave
// a clipboard's content out.
void putNoHistoryMarks() {
    const DWORD zero = 0;
    putClipboardData(RegisterClipboardFormatW(L"ExcludeClipboardContentFromMonitorProcessing"),
                     &zero, sizeof(zero));
    putClipboardData(RegisterClipboardFormatW(L"CanIncludeInClipboardHistory"), &zero,
                     sizeof(zero));
    putClipboardData(RegisterClipboardFormatW(L"Clipboard Viewer Ignore"), &zero, sizeof(zero));
}

// The text's locale goes with it, so that the ANSI and OEM forms the system
// makes from it use the user's code page.
void putTextLocale() {
    const LCID locale = GetUserDefaultLCID();
    putClipboardData(CF_LOCALE, &locale, sizeof(locale));
}

// The program reads the clipboard itself: an offered text it renders for
// that is not taken by the application.
class OwnRead {
  public:
    explicit OwnRead(int& depth) : depth_(depth) { ++depth_; }
    ~OwnRead() { --depth_; }
    OwnRead(const OwnRead&) = delete;
    OwnRead& operator=(const OwnRead&) = delete;

  private:
    int& depth_;
};

}  // namespace

std::optional<std::u16string> Win32Platform::clipboardText() {
    const OwnRead reading(ownReads_);
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
    if (!putUnicodeText(text)) {
        return false;
    }
    putTextLocale();
    putNoHistoryMarks();
    return true;
}

// Offered with delayed rendering: the text is made when a program first asks
// for it, which tells the insertion that the application has taken it.
bool Win32Platform::offerClipboardText(const std::u16string& text) {
    ClipboardLock clipboard(mainWindow_);
    if (!clipboard.open() || !EmptyClipboard()) {
        return false;
    }
    offeredText_ = text;
    offeredTaken_ = false;
    SetClipboardData(CF_UNICODETEXT, nullptr);
    putTextLocale();
    putNoHistoryMarks();
    return true;
}

// Inside WM_RENDERFORMAT the clipboard is already open for the program
// that asked.
void Win32Platform::renderOfferedText(UINT format) {
    if (format != CF_UNICODETEXT || !offeredText_) {
        return;
    }
    putUnicodeText(*offeredText_);
    if (ownReads_ == 0) {
        offeredTaken_ = true;
    }
}

// The program ends with its text still offered: it is rendered now, so
// that the paste it was for still works.
void Win32Platform::renderAllOffered() {
    if (!offeredText_) {
        return;
    }
    ClipboardLock clipboard(mainWindow_);
    if (clipboard.open() && GetClipboardOwner() == mainWindow_) {
        putUnicodeText(*offeredText_);
    }
    offeredText_.reset();
}

namespace {

bool portable(UINT format) {
    wchar_t name[128] = {};
    const int length = format >= 0xC000 ? GetClipboardFormatNameW(format, name, 128) : 0;
    return portableClipboardFormat(format,
                                   std::u16string_view(reinterpret_cast<const char16_t*>(name),
                                                       static_cast<size_t>(std::max(length, 0))));
}

// All the saved formats together stay below this; a larger one is left out.
constexpr size_t kMostSavedBytes = 64 * 1024 * 1024;

std::optional<std::string> formatBytes(UINT format) {
    const HANDLE data = GetClipboardData(format);
    if (data == nullptr) {
        return std::nullopt;
    }
    GlobalLockGuard<const char> locked(data);
    if (locked.get() == nullptr) {
        return std::nullopt;
    }
    return std::string(locked.get(), GlobalSize(data));
}

}  // namespace

std::optional<ClipboardSnapshot> Win32Platform::saveClipboard() {
    const OwnRead reading(ownReads_);
    ClipboardLock clipboard(mainWindow_);
    if (!clipboard.open()) {
        return std::nullopt;
    }
    ClipboardSnapshot snapshot;
    size_t total = 0;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        if (!portable(format)) {
            continue;
        }
        auto bytes = formatBytes(format);
        if (bytes && total + bytes->size() <= kMostSavedBytes) {
            total += bytes->size();
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
    // Each format on its own: one that fails leaves the others in place.
    bool all = true;
    for (const auto& format : snapshot.formats) {
        if (!putClipboardData(format.id, format.bytes.data(), format.bytes.size())) {
            all = false;
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

// An application that renders an offered text puts it on the clipboard
// inside our WM_RENDERFORMAT, which leaves us the owner; a copy by anyone
// else empties the clipboard and makes its window the owner.
bool Win32Platform::clipboardIsProgramsOwn() {
    return mainWindow_ != nullptr && GetClipboardOwner() == mainWindow_;
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
    const OwnRead reading(ownReads_);
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
