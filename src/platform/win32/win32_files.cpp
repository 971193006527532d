#include <algorithm>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_text.h"

namespace wordvane::win32 {

namespace {

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

bool Win32Platform::canWrite(const std::u16string& path) {
    const std::wstring target = wide(path);
    if (!target.empty() && (target.back() == L'\\' || target.back() == L'/')) {
        // A file that goes as soon as it is closed.
        UniqueHandle probe(CreateFileW(
            (target + L"Wordvane.write-test").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
        return probe.valid();
    }
    const DWORD attributes = GetFileAttributesW(target.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

namespace {

// The previous file becomes PATH.bak (one generation) and the new one takes
// its place.
bool putInPlace(const std::wstring& temporary, const std::wstring& target) {
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !CopyFileW(target.c_str(), (target + L".bak").c_str(), FALSE)) {
        return false;
    }
    return MoveFileExW(temporary.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace

// The new content goes to PATH.saving beside the old file, which is replaced
// only once the whole content is on disk. A virus scanner, the search
// indexer or a cloud client often holds a file for a moment after it was
// written: the replacing is tried again for about two seconds, and when it
// still fails the new content stays in PATH.saving.
FileWrite Win32Platform::writeFile(const std::u16string& path, std::string_view bytes) {
    const std::wstring target = wide(path);
    const std::wstring temporary = target + L".saving";
    {
        UniqueHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            return FileWrite::Failed;
        }
        if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get())) {
            file.reset();
            DeleteFileW(temporary.c_str());
            return FileWrite::Failed;
        }
    }
    DWORD pause = 50;
    for (DWORD waited = 0;; waited += pause, pause = std::min<DWORD>(pause * 2, 400)) {
        if (putInPlace(temporary, target)) {
            return FileWrite::Written;
        }
        if (waited >= 2000) {
            return FileWrite::LeftAside;
        }
        Sleep(pause);
    }
}

// The worker writes the files one after another with their retries, then
// tells the program's thread; the batch stays the platform's, so that a
// message lost at the end of the program loses nothing.
void Win32Platform::writeFilesInBackground(std::vector<FileToWrite> files,
                                           std::function<void(std::vector<FileWrite>)> done) {
    finishBackgroundWrites();
    backgroundWrite_ = std::make_unique<BackgroundWrite>(
        BackgroundWrite{std::move(files), {}, std::move(done), mainWindow_, ++backgroundBatch_});
    const auto worker = [](void* parameter) -> DWORD {
        auto* self = static_cast<Win32Platform*>(parameter);
        BackgroundWrite& write = *self->backgroundWrite_;
        for (const FileToWrite& file : write.files) {
            write.outcomes.push_back(self->writeFile(file.path, file.bytes));
        }
        PostMessageW(write.reply, kBackgroundWrittenMessage, write.batch, 0);
        return 0;
    };
    backgroundThread_ = UniqueHandle(CreateThread(nullptr, 0, worker, this, 0, nullptr));
    if (!backgroundThread_.valid()) {
        // No thread: written here, as before.
        BackgroundWrite& write = *backgroundWrite_;
        for (const FileToWrite& file : write.files) {
            write.outcomes.push_back(writeFile(file.path, file.bytes));
        }
        endBackgroundWrite();
    }
}

// The worker posts its message last: it has finished its work and is about
// to end. A message of a batch that exit already finished is old.
void Win32Platform::backgroundWritten(WPARAM batch) {
    if (batch == backgroundBatch_) {
        finishBackgroundWrites();
    }
}

void Win32Platform::finishBackgroundWrites() {
    if (backgroundThread_.valid()) {
        WaitForSingleObject(backgroundThread_.get(), INFINITE);
        endBackgroundWrite();
    }
}

void Win32Platform::endBackgroundWrite() {
    backgroundThread_.reset();
    if (const std::unique_ptr<BackgroundWrite> write = std::move(backgroundWrite_)) {
        write->done(std::move(write->outcomes));
    }
}

}  // namespace wordvane::win32
