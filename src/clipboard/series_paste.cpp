#include "clipboard/series_paste.h"

#include <cstdlib>

#include "lists/decimal_text.h"
#include "platform/foreground_keeper.h"
#include "platform/virtual_keys.h"
#include "ui/message_box.h"

namespace wordvane {

namespace {

constexpr char16_t kSeparatorStart[] = u"--------------------";  // 20 dashes

}  // namespace

SeriesPaste::SeriesPaste(Platform& platform, const Lists& lists, Completion& completion,
                         ui::Form1& form1, ui::Notice& notice)
    : platform_(platform), lists_(lists), completion_(completion), form1_(form1), notice_(notice) {}

// Element 0 of a word is the word itself; words 0 and 1 of the clipboard
// list are the storage and the fixed word.
int16_t SeriesPaste::stopIndex() const {
    if (word_ != -1) {
        return 1;
    }
    return list_ == kClipboardList ? int16_t{2} : int16_t{0};
}

bool SeriesPaste::isPassedOver(int16_t index) const {
    if (list_ != kClipboardList || word_ != -1) {
        return false;
    }
    const std::u16string_view name = lists_.words(list_).peekString(index, 0, 0);
    return name.empty() || name.starts_with(kSeparatorStart);
}

// Never an item outside the list. A history entry pastes its stored text, as
// the completion inserts it, never its label.
std::optional<std::u16string> SeriesPaste::itemText(int16_t index) const {
    const WordListClass& words = lists_.words(list_);
    const int16_t kind =
        list_ == kClipboardList || lists_.replaceAbbrev[static_cast<size_t>(list_)] ? 1 : 0;
    if (word_ == -1) {
        if (index < 0 || index > words.getWordLength()) {
            return std::nullopt;
        }
        return words.getString(index, 0, kind);
    }
    if (word_ > words.getWordLength() || index < 0 || index > words.getElementLength(word_)) {
        return std::nullopt;
    }
    return words.getString(word_, index, kind);
}

// An item that is missing or empty, or a clipboard that will not take it,
// ends the run: a paste would otherwise give the previous item again.
bool SeriesPaste::putNext() {
    const std::optional<std::u16string> text = itemText(items_[putCount_]);
    if (!text || text->empty() || !platform_.putClipboardText(*text) ||
        platform_.clipboardText() != *text) {
        endWithNotice(u"失敗しました");
        return false;
    }
    ourChangeCount_ = platform_.clipboardChangeCount();
    ++putCount_;
    return true;
}

void SeriesPaste::finish() {
    if (active_ && userClipboard_ && platform_.clipboardChangeCount() == ourChangeCount_) {
        giveBackClipboard(platform_, *userClipboard_);
    }
    userClipboard_.reset();
    active_ = false;
    start_ = -1;
    end_ = -1;
}

void SeriesPaste::endWithNotice(const char16_t* notice) {
    finish();
    notice_.showAtPointer(notice, platform_);
}

void SeriesPaste::closeList() {
    completion_.endCycle();
    completion_.closeLauncherBox();
}

// The items from `start_` to `end_`, passing over the history's separators
// and empty slots.
void SeriesPaste::startRun() {
    const int16_t start = start_;
    const int16_t end = end_;
    finish();
    items_.clear();
    putCount_ = 0;
    for (int index = start;; index += step_) {
        const auto item = static_cast<int16_t>(index);
        if (itemText(item) && !isPassedOver(item)) {
            items_.push_back(item);
        }
        if (index == end) {
            break;
        }
    }
    closeList();
    userClipboard_ = platform_.saveClipboard();
    if (items_.empty() || !userClipboard_) {
        endWithNotice(u"失敗しました");
        return;
    }
    active_ = true;
    start_ = start;
    end_ = end;
    pasteKeyArmed_ = true;
    pastePending_ = false;
    putNext();
}

void SeriesPaste::mnuClipSeriese_Click() {
    const std::optional<int16_t> selected = completion_.selectedEntry();
    if (!selected) {
        return;
    }
    word_ = completion_.openWord();
    list_ = completion_.currentList();
    start_ = *selected;
    // An item above the stop index (the storage, the fixed word) is a run of
    // one.
    end_ = std::min(stopIndex(), start_);
    step_ = -1;
    startRun();
}

void SeriesPaste::SeriesePaste() {
    if (end_ != -1) {
        start_ = -1;
        end_ = -1;
    }
    const std::optional<int16_t> selected = completion_.selectedEntry();
    if (start_ == -1) {
        if (!selected) {
            return;
        }
        // A new first mark ends a run still going on.
        finish();
        word_ = completion_.openWord();
        list_ = completion_.currentList();
        start_ = *selected;
        form1_.setCaption(u"最初の項目が選択されました - Wordvane");
        return;
    }
    if (completion_.currentList() != list_ || completion_.openWord() != word_) {
        showMessage(platform_, u"連続貼り付けは同じリスト内でしか行えません", kMbIconExclamation);
        start_ = -1;
        end_ = -1;
        return;
    }
    if (!selected) {
        return;
    }
    end_ = *selected;
    form1_.setCaption(u"クリップボード - Wordvane");
    if (end_ == start_) {
        end_ = std::min(stopIndex(), start_);
    }
    step_ = start_ <= end_ ? int16_t{1} : int16_t{-1};
    startRun();
}

// The next item goes to the clipboard once the paste key is up again: the
// application has taken the paste by then, and never gets the next item for
// this one. A copy of the user's meanwhile ends the run: the copy stays on
// the clipboard for the user's own paste.
void SeriesPaste::tick(const std::u16string& spelling, bool ctrlDown) {
    if (!active_) {
        return;
    }
    if (platform_.clipboardChangeCount() != ourChangeCount_) {
        userClipboard_.reset();
        endWithNotice(u"連続貼り付けを終えました");
        return;
    }
    if (pastePending_ && !platform_.keyDown(kVkV) && !platform_.keyDown(kVkInsert)) {
        pastePending_ = false;
        doSeriesPaste();
    }
    if ((spelling == u"v" && ctrlDown) || spelling == u"Shiftinsert") {
        pastePending_ = pastePending_ || pasteKeyArmed_;
        pasteKeyArmed_ = false;
    } else {
        pasteKeyArmed_ = true;
    }
}

void SeriesPaste::doSeriesPaste() {
    const size_t left = items_.size() - putCount_;
    {
        ForegroundKeeper foreground(platform_);
        notice_.showAtPointer(u"あと" + toDecimal(static_cast<int64_t>(left)) + u"回", platform_);
    }
    if (left == 0) {
        finish();
        notice_.hide();
        return;
    }
    putNext();
}

}  // namespace wordvane
