#include "textwindow/replace_sets.h"

#include <cmath>
#include <stdexcept>

#include "lists/one_line_text.h"
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

ReplaceEditor::ReplaceEditor() {
    setReplaceSet(0, kNewReplaceSetEntry, u"", u"");
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
}

const ReplaceSet& ReplaceEditor::editSet(int16_t index) const {
    return editSets_.at(static_cast<size_t>(index));
}

}  // namespace wordvane
