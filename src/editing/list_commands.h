#pragma once

#include "completion/completion.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/controls.h"

namespace wordvane {

// The commands of the list menu on the shown list.
class ListCommands {
  public:
    ListCommands(Platform& platform, Lists& lists, const Completion& completion,
                 ui::Window& addWordDialog);

    // "保存": saves the current list under a name the user chooses.
    void mnuSave_Click();

  private:
    Platform& platform_;
    Lists& lists_;
    const Completion& completion_;
    ui::Window& addWordDialog_;
};

}  // namespace wordvane
