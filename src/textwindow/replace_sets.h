#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "lists/replace_set_line.h"
#include "platform/platform.h"
#include "ui/controls.h"

namespace wordvane {

inline constexpr char16_t kNewReplaceSetEntry[] = u"新しく追加";

struct ReplaceSet {
    std::u16string preWord;
    std::u16string postWord;
};

// The text window's side of the replacement sets (the sets that are applied)
// and its opacity setting.
class TextWindowSets {
  public:
    TextWindowSets(Platform& platform, ui::Window& window);

    void setReplaceSet(int16_t index, const std::u16string& title, const std::u16string& preWord,
                       const std::u16string& postWord);
    std::u16string getReplaceWord(int16_t index, int16_t kind) const;

    void setTranslucentIndex(int16_t index);
    int16_t getTranslucentIndex() const { return translucentIndex_; }
    // Applies opacity 1..100 percent; other values leave the last one in place.
    void translucent(int16_t index);

    // The ten items of the text-transform menu; an item is visible when its
    // set exists.
    std::array<ui::MenuItem, kMaxReplaceSets> mnuReplace;

  private:
    Platform& platform_;
    ui::Window& window_;
    std::array<ReplaceSet, kMaxReplaceSets> replaceSets_;
    int16_t translucentIndex_ = 0;
};

// The replacement editor's copy of the sets: entry 0 is "新しく追加", entry
// i + 1 holds set i in one-line form.
class ReplaceEditor {
  public:
    ReplaceEditor();

    void setReplaceSet(int16_t index, const std::u16string& title, const std::u16string& preStr,
                       const std::u16string& postStr);
    int16_t getPopupNum() const { return popupNum_; }
    const std::vector<std::u16string>& entries() const { return entries_; }
    const ReplaceSet& editSet(int16_t index) const;

  private:
    std::vector<std::u16string> entries_;
    std::array<ReplaceSet, kMaxReplaceSets + 1> editSets_;
    int16_t popupNum_ = 0;
};

}  // namespace wordvane
