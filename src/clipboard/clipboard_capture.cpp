#include "clipboard/clipboard_capture.h"

#include <chrono>

#include "lists/one_line_text.h"
#include "ui/message_box.h"
#include "util/utf8.h"

namespace wordvane {

namespace {

constexpr int kCheckEvery = 31;  // ticks
constexpr int16_t kFirstHistoryWord = 2;
constexpr size_t kLabelTextLength = 55;
constexpr char16_t kSeparatorLabel[] = u"-----------------------------";
constexpr char16_t kEmptySlot[] = u"まだ入っていません。";

std::u16string twoDigits(int value) {
    return {static_cast<char16_t>(u'0' + value / 10 % 10),
            static_cast<char16_t>(u'0' + value % 10)};
}

std::u16string dateText(const LocalDateTime& t) {
    std::u16string year;
    for (int y = t.year, i = 0; i < 4; ++i, y /= 10) {
        year.insert(year.begin(), static_cast<char16_t>(u'0' + y % 10));
    }
    return year + u"/" + twoDigits(t.month) + u"/" + twoDigits(t.day);
}

std::u16string timeText(const LocalDateTime& t) {
    return twoDigits(t.hour) + u":" + twoDigits(t.minute) + u":" + twoDigits(t.second);
}

double days(const LocalDateTime& t) {
    using namespace std::chrono;
    const sys_days date{year{t.year} / month{static_cast<unsigned>(t.month)} /
                        day{static_cast<unsigned>(t.day)}};
    return date.time_since_epoch().count() + (t.hour * 3600 + t.minute * 60 + t.second) / 86400.0;
}

}  // namespace

ClipboardCapture::ClipboardCapture(Platform& platform, Lists& lists, Completion& completion,
                                   ui::Form1& form1)
    : platform_(platform), lists_(lists), completion_(completion), form1_(form1) {}

void ClipboardCapture::tick() {
    const auto& enabled = lists_.settings.listEnabled;
    if ((enabled[0] || enabled[1]) && ++ticks_ >= kCheckEvery) {
        ticks_ = 0;
        checkClipboad();
    }
}

bool ClipboardCapture::atRest() {
    const auto& enabled = lists_.settings.listEnabled;
    return !(enabled[0] || enabled[1]) || checkedChangeCount_ == platform_.clipboardChangeCount();
}

std::u16string ClipboardCapture::entryLabel(const std::u16string& text, const LocalDateTime& now) {
    const std::u16string stamp = dateText(now) + u" " + timeText(now) + u")";
    if (text.size() > kLabelTextLength) {
        // A character is never cut in half.
        const size_t cut =
            isHighSurrogate(text[kLabelTextLength - 1]) ? kLabelTextLength - 1 : kLabelTextLength;
        return getChangedLine2(text.substr(0, cut) + u" (" + stamp);
    }
    return getChangedLine2(text + std::u16string(44, u' ') + u"(" + stamp);
}

std::optional<std::u16string> ClipboardCapture::readClipboard() {
    // A clipboard that did not change since the last check holds nothing new.
    const uint32_t changeCount = platform_.clipboardChangeCount();
    if (checkedChangeCount_ == changeCount) {
        return std::nullopt;
    }
    const int32_t maxBytes = lists_.settings.clipMaxBytes;
    const size_t maxCharacters = maxBytes > 0 ? static_cast<size_t>(maxBytes) / 2 : 0;
    ClipboardCopy copy = platform_.copyClipboardForHistory(maxCharacters);
    if (copy.status == ClipboardCopy::Status::Busy) {
        return std::nullopt;  // the next turn tries again
    }
    checkedChangeCount_ = changeCount;
    if (copy.status == ClipboardCopy::Status::Excluded ||
        copy.status == ClipboardCopy::Status::TooLong) {
        return std::nullopt;
    }
    std::u16string& text = copy.text;
    if (lists_.settings.listEnabled[0] && text.compare(0, 6, u"ttp://") == 0) {
        text.insert(0, u"h");
    }
    if (text.size() > maxCharacters) {
        return std::nullopt;
    }
    return std::move(text);
}

// The history is the words that exist, however long vane.ini says it is.
int16_t ClipboardCapture::historyLastWord() const {
    return std::min<int16_t>(static_cast<int16_t>(lists_.settings.clipHistorySize - 1),
                             lists_.words(kClipboardList).getWordLength());
}

bool ClipboardCapture::knownText(const std::u16string& text, int16_t lastWord) const {
    return text == lastClipText_ ||
           lists_.words(kClipboardList).findFirstAccount(text, lastWord) != -1;
}

bool ClipboardCapture::separatorDue(const LocalDateTime& now) const {
    const double interval = lists_.settings.separatorInterval;
    return interval > 0 && (!lastClipDays_ || days(now) - *lastClipDays_ > interval);
}

void ClipboardCapture::pushEntry(int16_t lastWord, const std::u16string& name,
                                 const std::u16string& account) {
    WordListClass& words = lists_.words(kClipboardList);
    words.rotateFirstElements(kFirstHistoryWord, lastWord);
    words.changeString(kFirstHistoryWord, 0, name, account);
    completion_.wordsMoved(kClipboardList, kFirstHistoryWord, 1, lastWord);
}

void ClipboardCapture::checkClipboad() {
    std::optional<std::u16string> text = readClipboard();
    if (text && lists_.settings.listEnabled[0] && onLinkCopied) {
        onLinkCopied(*text);
    }
    if (!text || !lists_.settings.listEnabled[1]) {
        return;
    }
    const int16_t lastWord = historyLastWord();
    if (keepDuplicateOnce_) {
        keepDuplicateOnce_ = false;
    } else if (knownText(*text, lastWord)) {
        return;
    }
    if (lastWord < kFirstHistoryWord) {
        return;  // no room for a history entry
    }
    const LocalDateTime now = platform_.localNow();
    if (separatorDue(now)) {
        pushEntry(lastWord, kSeparatorLabel + timeText(now), dateText(now) + u" " + timeText(now));
    }
    pushEntry(lastWord, entryLabel(*text, now), *text);
    lastClipText_ = std::move(*text);
    lastClipDays_ = days(now);
}

void ClipboardCapture::mnuClipDuplicate_Click() {
    auto& item = form1_.mnuModeMenu.mnuClipDuplicate;
    item.setChecked(!item.checked());
}

void ClipboardCapture::mnuClipAllDelete_Click() {
    const int16_t list = completion_.currentList();
    completion_.hideHelperWindows();
    WordListClass& words = lists_.words(list);
    if (list == kLauncherList) {
        if (showMessage(platform_, u"一番上の単語以外すべて削除します。\r\nよろしいですか？",
                        kMbYesNo) != kIdYes) {
            return;
        }
        while (words.getWordLength() > 0) {
            words.decrementElementLength();
        }
        completion_.endCycle();
        completion_.requestReshow();
    } else if (list == kClipboardList) {
        // The level is the one the question is asked about. At the element
        // level only the storage (word 0) is emptied, down to its first
        // element.
        const int16_t openWord = completion_.openWord();
        if (openWord > 0 || showMessage(platform_, u"すべての履歴を削除します。よろしいですか？",
                                        kMbYesNo) != kIdYes) {
            return;
        }
        if (openWord == -1) {
            const int16_t lastWord = historyLastWord();
            for (int w = kFirstHistoryWord; w <= lastWord; ++w) {
                words.changeString(static_cast<int16_t>(w), 0, u"", kEmptySlot);
            }
            completion_.requestReshow();
        } else {
            while (words.getElementLength(0) > 0) {
                words.decrementAttributeLength(0);
            }
        }
        completion_.endCycle();
    }
}

}  // namespace wordvane
