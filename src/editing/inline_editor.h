#pragma once

#include <cstdint>

#include "completion/completion.h"
#include "hotkeys/hotkey_registration.h"
#include "ui/forms.h"

namespace wordvane {

// The candidate window's own editor (Text1), where the user edits the
// description of the selected entry.
class InlineEditor {
  public:
    InlineEditor(ui::Form1& form1, HotKeys& hotkeys, const Completion& completion);

    // A key pressed in the editor: edit mode begins, the navigation keys reach
    // the editor and the main tick stops until it ends.
    void Text1_KeyDown(int16_t keyCode, int16_t shift);

  private:
    ui::Form1& form1_;
    HotKeys& hotkeys_;
    const Completion& completion_;
};

}  // namespace wordvane
