#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "completion/completion.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"

namespace wordvane {

// The clipboard history: every text that passes through the clipboard goes
// to the top of the clipboard list (word 2, newest first) with a label of
// its first line and the time it came, after a separator when the last one
// is long ago. Word 0 (the storage) and word 1 never move.
class ClipboardCapture {
  public:
    ClipboardCapture(Platform& platform, Lists& lists, Completion& completion, ui::Form1& form1);

    // The main tick's part: a check on every 31st tick while the launcher or
    // the history is enabled.
    void tick();
    // Nothing for a check to take: the history and the launcher are off, or
    // the clipboard has not changed since the last check read it.
    bool atRest();
    // One check of the clipboard.
    void checkClipboad();
    // Ctrl+C or Shift+Delete with "重複履歴の保存" checked: the next text is
    // stored even when the history has it already.
    void keepDuplicateOnce() { keepDuplicateOnce_ = true; }

    // The menu items "重複履歴の保存" and "すべて削除".
    void mnuClipDuplicate_Click();
    void mnuClipAllDelete_Click();

    // A copied text within the size limit, while the launcher is enabled:
    // the text window may offer it as a launcher entry.
    std::function<void(const std::u16string&)> onLinkCopied;

    // The label of a history entry for `text` captured at `now`.
    static std::u16string entryLabel(const std::u16string& text, const LocalDateTime& now);

  private:
    // The text to store, or none when this check stores nothing.
    std::optional<std::u16string> readClipboard();
    int16_t historyLastWord() const;
    bool knownText(const std::u16string& text, int16_t lastWord) const;
    bool separatorDue(const LocalDateTime& now) const;
    // Puts (name, account) at word 2; the oldest entry drops off the end.
    void pushEntry(int16_t lastWord, const std::u16string& name, const std::u16string& account);

    Platform& platform_;
    Lists& lists_;
    Completion& completion_;
    ui::Form1& form1_;

    int16_t ticks_ = 0;
    // The change counter of the clipboard at the last complete check.
    std::optional<uint32_t> checkedChangeCount_;
    std::u16string lastClipText_;
    bool keepDuplicateOnce_ = false;
    // When the last text was stored, in days; none since start-up.
    std::optional<double> lastClipDays_;
};

}  // namespace wordvane
