#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "completion/insertion.h"
#include "platform/platform.h"
#include "textwindow/replace_sets.h"
#include "ui/forms.h"
#include "ui/notice.h"

namespace wordvane {

// The text-transform menu "追加機能" of the popup-menu hotkey: the selection
// of the foreground application is copied once the user's modifier keys are
// up, the menu comes up at the pointer, and a replacement set rewrites the
// copy and pastes it back over the selection; two items make the
// application's window topmost or normal.
class TextTransform {
  public:
    TextTransform(Platform& platform, ui::Form4& form4, ui::Notice& noticeTime,
                  TextWindowSets& sets, Insertion& insertion);

    ui::Menu mnuAddFunction{u"追加機能"};
    // 文字の変換: conversions of Japanese text, after the replacement sets.
    ui::MenuItem mnuConvert{u"文字の変換"};
    std::array<ui::MenuItem, 5> mnuConversions{
        ui::MenuItem{u"全角英数を半角に"}, ui::MenuItem{u"半角カナを全角に"},
        ui::MenuItem{u"ひらがなをカタカナに"}, ui::MenuItem{u"カタカナをひらがなに"},
        ui::MenuItem{u"改行を取る"}};
    ui::MenuItem mnuSeparator{u"-"};
    ui::MenuItem mnuFrontScreen{u"最前面表示"};
    ui::MenuItem mnuNormalScreen{u"最前面表示解除"};

    // The popup-menu hotkey.
    void doPopup();
    // The main tick's part: the copy of the selection and the paste of the
    // result on their way.
    void tick();
    bool atRest() const { return step_ == Step::Idle; }

    void mnuReplace_Click(int16_t index);
    // Item `index` of 文字の変換 converts the copied selection and pastes it
    // back, as a replacement set does.
    void mnuConversion_Click(size_t index);
    void mnuFrontScreen_Click();
    void mnuNormalScreen_Click();

    const std::u16string& selectedText() const { return selectedText_; }

  private:
    enum class Step { Idle, WaitingForModifiers, WaitingForCopy, WaitingForTarget };
    void advance();
    bool modifiersUp();
    void sendCopy();
    void showMenu(bool withSelection);
    void pasteBack(const std::u16string& text);
    void pasteWhenInFront(uint64_t now);
    void showFailure();
    void setTargetTopmost(bool topmost);

    Platform& platform_;
    ui::Form4& form4_;
    ui::Notice& noticeTime_;
    TextWindowSets& sets_;
    Insertion& insertion_;

    Step step_ = Step::Idle;
    uint64_t deadline_ = 0;
    uint32_t changeCountBeforeCopy_ = 0;
    std::optional<ClipboardSnapshot> userClipboard_;
    WindowHandle targetWindow_ = 0;
    std::u16string selectedText_;
    std::u16string pendingPaste_;
};

}  // namespace wordvane
