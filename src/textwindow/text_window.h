#pragma once

#include <cstdint>
#include <string>

#include "editing/launcher.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "textwindow/replace_sets.h"
#include "ui/forms.h"

namespace wordvane {

// The text window (Form4) as the path pop-up: a copied path or address comes
// up with a proposed name, to be registered in the launcher list (登録) or
// opened at once (GO); the window hides by itself after a number of ticks
// and is translucent while it is not active.
class TextWindow {
  public:
    TextWindow(Platform& platform, ui::Form4& form4, const ui::MenuItem& popText,
               TextWindowSets& sets, Launcher& launcher, const Lists& lists);

    // A copied text: a path or address that is new to the launcher pops up.
    void offerLink(const std::u16string& text);
    void setLinkPath(const std::u16string& path);
    // The display-time counter: 0 a tick, 1 keep the window up, 2 close it
    // at the next tick.
    void selectForm4ShowHide(int16_t p);
    // The main tick's part while the pop-up is up.
    void tick();
    bool linkPopupShown() const { return linkPopupShown_; }

    void Command1_Click();  // 登録
    void Command2_Click();  // GO
    void onActivate(bool active);

  private:
    Platform& platform_;
    ui::Form4& form4_;
    const ui::MenuItem& popText_;
    TextWindowSets& sets_;
    Launcher& launcher_;
    const Lists& lists_;
    std::u16string linkPath_;
    std::u16string lastPopupLink_;
    bool linkPopupShown_ = false;
    int16_t textEraseCount_ = 0;
};

}  // namespace wordvane
