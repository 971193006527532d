#pragma once

#include "completion/completion.h"
#include "platform/platform.h"
#include "ui/forms.h"

namespace wordvane {

// Selection moves of the shown candidate list: a single step wraps around,
// a page (15 lines) stops at the ends. Nothing happens while it is hidden.
class ListNavigation {
  public:
    ListNavigation(Platform& platform, ui::Form1& form1, const Completion& completion);

    void listMoveUp();
    void listMoveDown();
    void listMoveRollup();
    void listMoveRollDown();

  private:
    template <typename NewIndex>
    void move(NewIndex newIndex);
    void selectLine(int index);

    Platform& platform_;
    ui::Form1& form1_;
    const Completion& completion_;
};

}  // namespace wordvane
