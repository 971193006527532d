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
                         ui::Form1& form1, ui::Window& launcherBox, ui::Notice& notice)
    : platform_(platform),
      lists_(lists),
      completion_(completion),
      form1_(form1),
      launcherBox_(launcherBox),
      notice_(notice) {}

// Element 0 of a word is the word itself; words 0 and 1 of the clipboard
// list are the storage and the fixed word.
int16_t SeriesPaste::stopIndex() const {
    if (word_ != -1) {
        return 1;
    }
    return list_ == kClipboardList ? int16_t{2} : int16_t{0};
}

bool SeriesPaste::isSeparator(int16_t index) const {
    if (list_ != kClipboardList || word_ != -1) {
        return false;
    }
    const WordListClass& words = lists_.words(list_);
    return index >= 0 && index <= words.getWordLength() &&
           words.peekString(index, 0, 0).starts_with(kSeparatorStart);
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
bool SeriesPaste::putCurrent() {
    const std::optional<std::u16string> text = itemText(current_);
    if (!text || text->empty() || !platform_.putClipboardText(*text) ||
        platform_.clipboardText() != *text) {
        endWithNotice();
        return false;
    }
    return true;
}

// The next item, passing over a separator of the history.
void SeriesPaste::advance() {
    current_ = static_cast<int16_t>(current_ + step_);
    if (isSeparator(current_)) {
        current_ = static_cast<int16_t>(current_ + step_);
        if (current_ == end_ + step_) {
            active_ = false;
        }
    }
}

void SeriesPaste::endWithNotice() {
    active_ = false;
    start_ = -1;
    end_ = -1;
    notice_.showAtPointer(u"失敗しました", platform_);
}

void SeriesPaste::closeList() {
    completion_.endCycle();
    launcherBox_.setVisible(false);
}

void SeriesPaste::startRun() {
    current_ = start_;
    active_ = true;
    pasteKeyArmed_ = true;
    pastePending_ = false;
    if (putCurrent()) {
        if (current_ == end_) {
            active_ = false;  // a run of one item
            start_ = -1;
            end_ = -1;
        } else {
            advance();
        }
    }
    closeList();
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
        active_ = false;
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
// this one.
void SeriesPaste::tick(const std::u16string& spelling, bool ctrlDown) {
    if (!active_) {
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
    {
        ForegroundKeeper foreground(platform_);
        const int left = std::abs(end_ - start_) - std::abs(current_ - start_) + 1;
        notice_.showAtPointer(u"あと" + toDecimal(left) + u"回", platform_);
    }
    if (current_ == end_ + step_) {
        active_ = false;
        notice_.hide();
        return;
    }
    if (putCurrent()) {
        advance();
    }
}

}  // namespace wordvane
