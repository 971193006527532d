#include "textwindow/text_window.h"

#include "completion/insertion.h"
#include "ui/message_box.h"
#include "ui/placement.h"

namespace wordvane {

namespace {

constexpr int16_t kTick = 0;
constexpr int16_t kKeepUp = 1;
constexpr int16_t kCloseNow = 2;

}  // namespace

TextWindow::TextWindow(Platform& platform, ui::Form4& form4, const ui::MenuItem& popText,
                       TextWindowSets& sets, Launcher& launcher, const Lists& lists)
    : platform_(platform),
      form4_(form4),
      popText_(popText),
      sets_(sets),
      launcher_(launcher),
      lists_(lists) {
    form4_.Text1.onChange = [this] { selectForm4ShowHide(kKeepUp); };
    form4_.Command1.onClick = [this] { Command1_Click(); };
    form4_.Command2.onClick = [this] { Command2_Click(); };
    form4_.onActivate = [this](bool active) { onActivate(active); };
    form4_.onClose = [this] {
        form4_.setVisible(false);
        selectForm4ShowHide(kCloseNow);
    };
}

void TextWindow::offerLink(const std::u16string& text) {
    if (!checkLink(text) || !popText_.checked() || text == lastPopupLink_ ||
        launcher_.checkLaunchAccount(text) || linkPopupShown_) {
        return;
    }
    setLinkPath(text);
    form4_.Text1.setText(getFileOrFolderName(text));
    form4_.setTopmost(true);
    // It pops up where it was, kept inside the work area of its monitor.
    ui::keepInside(form4_, ui::workAreaOf(form4_, platform_));
    form4_.setVisible(true);
    linkPopupShown_ = true;
    lastPopupLink_ = text;
}

void TextWindow::setLinkPath(const std::u16string& path) {
    linkPath_ = path;
    form4_.setCaption(path);
}

void TextWindow::selectForm4ShowHide(int16_t p) {
    ++textEraseCount_;
    if (p == kKeepUp) {
        textEraseCount_ = 0;
    } else if (p == kCloseNow) {
        textEraseCount_ = 9999;
    } else if (p == kTick && textEraseCount_ >= lists_.settings.textEraseTime) {
        textEraseCount_ = 0;
        linkPopupShown_ = false;
        form4_.setVisible(false);
        sets_.translucent(sets_.getTranslucentIndex());
    }
}

void TextWindow::tick() {
    if (linkPopupShown_) {
        selectForm4ShowHide(kTick);
    }
}

void TextWindow::Command1_Click() {
    const std::u16string name = form4_.Text1.text();
    if (name.empty()) {
        showMessage(platform_, u"文字を入寮してください", kMbIconExclamation);
        return;
    }
    if (launcher_.checkLaunchName(name)) {
        showMessage(platform_, u"同じ名前がすでにあります", kMbIconExclamation);
        return;
    }
    if (launcher_.addLaunch(name, linkPath_)) {
        form4_.setVisible(false);
    }
}

void TextWindow::Command2_Click() {
    launcher_.open(linkPath_, Launcher::Origin::Copied);
    form4_.setVisible(false);
    selectForm4ShowHide(kCloseNow);
}

void TextWindow::onActivate(bool active) {
    if (sets_.getTranslucentIndex() >= 1) {
        sets_.translucent(active ? int16_t{100} : sets_.getTranslucentIndex());
    }
}

}  // namespace wordvane
