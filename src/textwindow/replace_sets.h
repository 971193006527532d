#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "lists/replace_set_line.h"
#include "platform/platform.h"
#include "ui/forms.h"

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
    // Set `index` applied to `selected`: "\a" in its texts stands for the
    // selection, "\n" for a line break. None when the result would be too
    // large to paste.
    std::optional<std::u16string> apply(int16_t index, const std::u16string& selected) const;

    void setTranslucentIndex(int16_t index);
    int16_t getTranslucentIndex() const { return translucentIndex_; }
    // Applies opacity 1..100 percent; other values leave the last one in place.
    void translucent(int16_t index);

    Platform& platform() { return platform_; }

    // The ten items of the text-transform menu; an item is visible when its
    // set exists.
    std::array<ui::MenuItem, kMaxReplaceSets> mnuReplace;

  private:
    Platform& platform_;
    ui::Window& window_;
    std::array<ReplaceSet, kMaxReplaceSets> replaceSets_;
    int16_t translucentIndex_ = 0;
};

// Every occurrence of `before` in `text` replaced by `after`, left to right,
// in one pass; an empty `before` changes nothing. None when the result would
// be longer than `limit` characters.
std::optional<std::u16string> boundedReplaceAll(const std::u16string& text,
                                                const std::u16string& before,
                                                const std::u16string& after, size_t limit);

// The longest text a replacement may make (16 Mi characters).
inline constexpr size_t kMaxReplacedLength = size_t{1} << 24;

// The replacement-set editor (Form9) with its own copy of the sets: entry 0
// is "新しく追加", entry i + 1 holds set i in one-line form. Its decisions go
// to the text window's sets at once.
class ReplaceEditor {
  public:
    ReplaceEditor(ui::Form9& form9, TextWindowSets& sets);

    void setReplaceSet(int16_t index, const std::u16string& title, const std::u16string& preStr,
                       const std::u16string& postStr);
    int16_t getPopupNum() const { return popupNum_; }
    const std::vector<std::u16string>& entries() const { return entries_; }
    const ReplaceSet& editSet(int16_t index) const;

    // "置換方法の編集" in the tray menu.
    void mnuChangeReplaceWay_Click();
    void Combo1_Click();
    void Command1_Click();  // 決定
    void Command2_Click() { form9_.setVisible(false); }

  private:
    ui::Form9& form9_;
    TextWindowSets& sets_;
    std::vector<std::u16string> entries_;
    std::array<ReplaceSet, kMaxReplaceSets + 1> editSets_;
    int16_t popupNum_ = 0;
};

}  // namespace wordvane
