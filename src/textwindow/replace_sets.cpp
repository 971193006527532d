#include "textwindow/replace_sets.h"

#include <cmath>
#include <stdexcept>

#include "lists/one_line_text.h"
#include "ui/message_box.h"
#include "ui/placement.h"
#include "util/rounding.h"

namespace wordvane {

TextWindowSets::TextWindowSets(Platform& platform, ui::Window& window)
    : platform_(platform), window_(window) {
    for (auto& item : mnuReplace) {
        item.setVisible(false);
    }
}

void TextWindowSets::setReplaceSet(int16_t index, const std::u16string& title,
                                   const std::u16string& preWord, const std::u16string& postWord) {
    if (index < 0 || index >= kMaxReplaceSets) {
        throw std::out_of_range("replacement set index");
    }
    const auto slot = static_cast<size_t>(index);
    mnuReplace[slot].setCaption(title);
    mnuReplace[slot].setVisible(true);
    replaceSets_[slot] = {preWord, postWord};
}

std::u16string TextWindowSets::getReplaceWord(int16_t index, int16_t kind) const {
    if (index < 0 || index >= kMaxReplaceSets) {
        throw std::out_of_range("replacement set index");
    }
    const auto slot = static_cast<size_t>(index);
    if (kind == 0) {
        return mnuReplace[slot].caption();
    }
    return kind == 1 ? replaceSets_[slot].preWord : replaceSets_[slot].postWord;
}

std::optional<std::u16string> boundedReplaceAll(const std::u16string& text,
                                                const std::u16string& before,
                                                const std::u16string& after, size_t limit) {
    if (before.empty()) {
        return text.size() <= limit ? std::optional(text) : std::nullopt;
    }
    std::u16string result;
    size_t from = 0;
    for (size_t found = text.find(before); found != std::u16string::npos;
         found = text.find(before, from)) {
        result.append(text, from, found - from).append(after);
        from = found + before.size();
        if (result.size() > limit) {
            return std::nullopt;
        }
    }
    result.append(text, from, std::u16string::npos);
    return result.size() <= limit ? std::optional(std::move(result)) : std::nullopt;
}

std::optional<std::u16string> TextWindowSets::apply(int16_t index,
                                                    const std::u16string& selected) const {
    // "\a" is the selection; "\n" is then a line break, in the selection's
    // copy too.
    const auto expand = [&](const std::u16string& pattern) -> std::optional<std::u16string> {
        const auto withSelection = boundedReplaceAll(pattern, u"\\a", selected, kMaxReplacedLength);
        if (!withSelection) {
            return std::nullopt;
        }
        return boundedReplaceAll(*withSelection, u"\\n", u"\r\n", kMaxReplacedLength);
    };
    const auto before = expand(getReplaceWord(index, 1));
    const auto after = expand(getReplaceWord(index, 2));
    if (!before || !after) {
        return std::nullopt;
    }
    return boundedReplaceAll(selected, *before, *after, kMaxReplacedLength);
}

void TextWindowSets::setTranslucentIndex(int16_t index) {
    translucentIndex_ = index <= 100 ? index : int16_t{-1};
}

void TextWindowSets::translucent(int16_t index) {
    if (index < 1 || index > 100) {
        return;
    }
    const auto alpha = static_cast<int>(roundHalfEven(index * 2.5 + 5));
    platform_.setWindowOpacity(window_.handle(), alpha);
}

ReplaceEditor::ReplaceEditor(ui::Form9& form9, TextWindowSets& sets) : form9_(form9), sets_(sets) {
    setReplaceSet(0, kNewReplaceSetEntry, u"", u"");
    form9_.Combo1.setListIndex(0);
    form9_.Combo1.onClick = [this] { Combo1_Click(); };
    form9_.Command1.onClick = [this] { Command1_Click(); };
    form9_.Command2.onClick = [this] { Command2_Click(); };
}

void ReplaceEditor::mnuChangeReplaceWay_Click() {
    Platform& platform = sets_.platform();
    ui::openDialog(form9_, platform, platform.cursorPosition(), form9_.Combo1);
}

void ReplaceEditor::Combo1_Click() {
    const int16_t entry = form9_.Combo1.listIndex();
    if (entry < 0 || entry >= popupNum_ || static_cast<size_t>(entry) >= entries_.size()) {
        return;
    }
    const auto slot = static_cast<size_t>(entry);
    form9_.Text1.setText(entries_[slot]);
    form9_.Text2.setText(editSets_[slot].preWord);
    form9_.Text3.setText(editSets_[slot].postWord);
}

void ReplaceEditor::Command1_Click() {
    const int16_t entry = form9_.Combo1.listIndex();
    if (entry < 0) {
        return;
    }
    const std::u16string name = form9_.Text1.text();
    const std::u16string before = getChangedLine(form9_.Text2.text());
    const std::u16string after = getChangedLine(form9_.Text3.text());
    if (entry != 0) {
        setReplaceSet(entry, name, before, after);
        sets_.setReplaceSet(static_cast<int16_t>(entry - 1), name, before, after);
    } else if (entries_.size() > kMaxReplaceSets) {
        showMessage(sets_.platform(), u"設定できる置換の最大数は10までです", kMbIconExclamation);
    } else {
        setReplaceSet(popupNum_, name, before, after);
        sets_.setReplaceSet(static_cast<int16_t>(popupNum_ - 2), name, before, after);
    }
    form9_.setVisible(false);
}

void ReplaceEditor::setReplaceSet(int16_t index, const std::u16string& title,
                                  const std::u16string& preStr, const std::u16string& postStr) {
    if (index < 0 || index > kMaxReplaceSets) {
        throw std::out_of_range("replacement editor entry");
    }
    if (static_cast<size_t>(index) < entries_.size()) {
        entries_[static_cast<size_t>(index)] = title;
    } else {
        entries_.push_back(title);
    }
    editSets_[static_cast<size_t>(index)] = {getChangedLine2(preStr), getChangedLine2(postStr)};
    if (index == popupNum_) {
        ++popupNum_;
    }
    form9_.Combo1.setItems(entries_);
}

const ReplaceSet& ReplaceEditor::editSet(int16_t index) const {
    return editSets_.at(static_cast<size_t>(index));
}

}  // namespace wordvane
