#pragma once

#include <windows.h>

#include <optional>

#include "platform/platform.h"

namespace wordvane::win32 {

// Asks the accessibility sources where a caret is, on one thread that lives
// as long as the program: a question to an application that does not answer
// never holds the program's own thread past the time it allows. While an
// earlier question is still unanswered, a new one gets no answer at once.
// The worker is never destroyed: its thread may be inside an application's
// answer when the program ends.
class CaretWorker {
  public:
    static CaretWorker& instance();
    CaretWorker(const CaretWorker&) = delete;
    CaretWorker& operator=(const CaretWorker&) = delete;

    // The caret's rectangle in screen pixels as `source` (Accessible or
    // Automation) tells it for `window`, waiting at most `waitMs`.
    std::optional<Rect> ask(CaretSource source, HWND window, DWORD waitMs);

  private:
    CaretWorker() = default;
    static DWORD WINAPI run(void* self);
    void serve();

    SRWLOCK lock_ = SRWLOCK_INIT;
    CONDITION_VARIABLE asked_ = CONDITION_VARIABLE_INIT;
    CONDITION_VARIABLE answered_ = CONDITION_VARIABLE_INIT;
    HANDLE thread_ = nullptr;
    bool busy_ = false;
    unsigned number_ = 0;  // of the newest question
    unsigned answeredNumber_ = 0;
    CaretSource source_ = CaretSource::Accessible;
    HWND window_ = nullptr;
    DWORD waitMs_ = 0;
    std::optional<Rect> answer_;
};

}  // namespace wordvane::win32
