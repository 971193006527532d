#pragma once

#include <cstdint>
#include <string>

#include "hotkeys/hotkey_registration.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"

namespace wordvane {

// The hotkey settings dialog (Form6): four modifiers and a main key for a
// list hotkey or the popup-menu hotkey. A change takes effect at once; a
// combination the system refuses (another program holds it) is not kept.
class HotKeyDialog {
  public:
    HotKeyDialog(Platform& platform, ui::Form6& form6, HotKeys& hotkeys, const Lists& lists,
                 const ui::MenuItem& completionOff);

    // "ホットキー設定" → a list (0 to 6) or "ポップアップ" (-1): the dialog
    // opens showing that hotkey's combination.
    void open(int16_t changeMode);
    void Command1_Click();  // 変更
    void Command2_Click() { form6_.setVisible(false); }

  private:
    void showCombination(int32_t modifiers, int32_t key);
    std::u16string combinationName(int32_t modifiers, int32_t key) const;
    bool changeListHotKey(int16_t list, int32_t modifiers, int16_t key);

    Platform& platform_;
    ui::Form6& form6_;
    HotKeys& hotkeys_;
    const Lists& lists_;
    const ui::MenuItem& completionOff_;
    int16_t changeMode_ = 0;
};

}  // namespace wordvane
