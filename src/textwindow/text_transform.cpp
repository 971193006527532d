#include "textwindow/text_transform.h"

#include <exception>

#include "platform/foreground_keeper.h"
#include "platform/virtual_keys.h"
#include "ui/message_box.h"
#include "util/text_mapping.h"

namespace wordvane {

namespace {

// How long the hotkey's modifier keys may stay down, and how long the
// application may take to copy its selection.
constexpr uint64_t kModifierWaitMs = 3000;
constexpr uint64_t kCopyWaitMs = 500;
constexpr uint64_t kForegroundWaitMs = 500;
constexpr char16_t kFailed[] = u"失敗しました";

}  // namespace

TextTransform::TextTransform(Platform& platform, ui::Form4& form4, ui::Notice& noticeTime,
                             TextWindowSets& sets, Insertion& insertion)
    : platform_(platform),
      form4_(form4),
      noticeTime_(noticeTime),
      sets_(sets),
      insertion_(insertion) {
    for (size_t i = 0; i < sets_.mnuReplace.size(); ++i) {
        mnuAddFunction.children.push_back(&sets_.mnuReplace[i]);
        sets_.mnuReplace[i].onClick = [this, i] { mnuReplace_Click(static_cast<int16_t>(i)); };
    }
    mnuAddFunction.children.push_back(&mnuConvert);
    for (size_t i = 0; i < mnuConversions.size(); ++i) {
        mnuConvert.children.push_back(&mnuConversions[i]);
        mnuConversions[i].onClick = [this, i] { mnuConversion_Click(i); };
    }
    mnuAddFunction.children.push_back(&mnuSeparator);
    mnuAddFunction.children.push_back(&mnuFrontScreen);
    mnuAddFunction.children.push_back(&mnuNormalScreen);
    mnuFrontScreen.onClick = [this] { mnuFrontScreen_Click(); };
    mnuNormalScreen.onClick = [this] { mnuNormalScreen_Click(); };
}

bool TextTransform::modifiersUp() {
    for (int key : {kVkShift, kVkControl, kVkMenu, kVkLeftWin, kVkRightWin}) {
        if (platform_.keyDown(key)) {
            return false;
        }
    }
    return true;
}

void TextTransform::doPopup() {
    form4_.setTop(-form4_.height() - 100);
    targetWindow_ = platform_.foregroundWindow();
    selectedText_.clear();
    step_ = Step::WaitingForModifiers;
    deadline_ = platform_.milliseconds() + kModifierWaitMs;
    tick();
}

// The copy goes out once the hotkey's keys are up: with Alt and Shift still
// down, Ctrl+C would reach the application as Ctrl+Alt+Shift+C.
void TextTransform::sendCopy() {
    userClipboard_ = platform_.saveClipboard();
    changeCountBeforeCopy_ = platform_.clipboardChangeCount();
    platform_.sendKeys({{kVkControl, false}, {kVkC, false}, {kVkC, true}, {kVkControl, true}});
    step_ = Step::WaitingForCopy;
    deadline_ = platform_.milliseconds() + kCopyWaitMs;
}

void TextTransform::tick() {
    if (step_ == Step::Idle) {
        return;
    }
    try {
        advance();
    } catch (const std::exception&) {
        step_ = Step::Idle;
        showFailure();
    }
}

void TextTransform::advance() {
    const uint64_t now = platform_.milliseconds();
    if (step_ == Step::WaitingForModifiers) {
        // Right after an insertion the clipboard still holds the inserted
        // text: the copy waits until the user's clipboard is back, so that
        // neither that text nor the restore is taken for the selection.
        if (modifiersUp() && !insertion_.restorePending()) {
            sendCopy();
        } else if (now > deadline_) {
            showMenu(false);
        }
    } else if (step_ == Step::WaitingForTarget) {
        pasteWhenInFront(now);
    } else if (step_ == Step::WaitingForCopy) {
        if (insertion_.restorePending()) {
            // An insertion went out while the copy was awaited: the change
            // is its text, not the selection, and the insertion gives the
            // user's clipboard back itself.
            showMenu(false);
        } else if (platform_.clipboardChangeCount() != changeCountBeforeCopy_) {
            selectedText_ = platform_.clipboardText().value_or(u"");
            if (userClipboard_) {
                platform_.restoreClipboard(*userClipboard_);  // every format, empty too
            }
            showMenu(true);
        } else if (now > deadline_) {
            showMenu(false);  // nothing was copied: only the window items work
        }
    }
}

void TextTransform::showMenu(bool withSelection) {
    step_ = Step::Idle;
    for (ui::MenuItem& item : sets_.mnuReplace) {
        item.setEnabled(withSelection);
    }
    mnuConvert.setEnabled(withSelection);
    platform_.setForegroundWindow(form4_.handle());
    platform_.popupMenu(mnuAddFunction, platform_.cursorPosition());
}

// The result goes to the application once its window is in front again
// (the desktop hands the foreground over in its own time), through the
// insertion path: the user's clipboard comes back 300 ms later, unless the
// user copied something meanwhile. An empty result is never pasted.
void TextTransform::pasteBack(const std::u16string& text) {
    if (text.empty()) {
        return;
    }
    if (targetWindow_ == 0 || !platform_.isWindow(targetWindow_)) {
        showMessage(platform_, kFailed, kMbIconExclamation);
        return;
    }
    pendingPaste_ = text;
    platform_.setForegroundWindow(targetWindow_);
    step_ = Step::WaitingForTarget;
    deadline_ = platform_.milliseconds() + kForegroundWaitMs;
    tick();
}

void TextTransform::pasteWhenInFront(uint64_t now) {
    const bool gone = !platform_.isWindow(targetWindow_);
    if (!gone && platform_.foregroundWindow() == targetWindow_) {
        step_ = Step::Idle;
        if (!insertion_.clipInsert(pendingPaste_)) {
            showMessage(platform_, kFailed, kMbIconExclamation);
        }
    } else if (gone || now > deadline_) {
        step_ = Step::Idle;
        showMessage(platform_, kFailed, kMbIconExclamation);
    }
}

void TextTransform::mnuReplace_Click(int16_t index) {
    const std::optional<std::u16string> replaced = sets_.apply(index, selectedText_);
    if (!replaced) {
        showMessage(platform_, kFailed, kMbIconExclamation);
        return;
    }
    selectedText_ = *replaced;
    pasteBack(selectedText_);
}

void TextTransform::mnuConversion_Click(size_t index) {
    switch (index) {
        case 0:
            selectedText_ = fullwidthAlphanumericsToHalfwidth(platform_, selectedText_);
            break;
        case 1:
            selectedText_ = halfwidthKanaToFullwidth(platform_, selectedText_);
            break;
        case 2:
            selectedText_ = platform_.mapText(selectedText_, TextMapping::Katakana);
            break;
        case 3:
            selectedText_ = platform_.mapText(selectedText_, TextMapping::Hiragana);
            break;
        default:
            selectedText_ = joinBrokenLines(selectedText_);
            break;
    }
    pasteBack(selectedText_);
}

void TextTransform::setTargetTopmost(bool topmost) {
    if (targetWindow_ != 0 && platform_.isWindow(targetWindow_)) {
        platform_.setTopmost(targetWindow_, topmost);
    }
    form4_.setVisible(false);
    form4_.setTop(50);
    if (targetWindow_ != 0 && platform_.isWindow(targetWindow_)) {
        platform_.setForegroundWindow(targetWindow_);
    }
}

void TextTransform::mnuFrontScreen_Click() {
    setTargetTopmost(true);
}

void TextTransform::mnuNormalScreen_Click() {
    setTargetTopmost(false);
}

// The notice "失敗しました" just above the pointer.
void TextTransform::showFailure() {
    ForegroundKeeper foreground(platform_);
    noticeTime_.showAtPointer(kFailed, platform_);
}

}  // namespace wordvane
