#include "editing/inline_editor.h"

namespace wordvane {

namespace {

bool isEditingKey(int16_t keyCode) {
    return keyCode == 16 || keyCode == 8 || keyCode == 9 || keyCode == 13 || keyCode == 46 ||
           (keyCode >= 48 && keyCode <= 57) || (keyCode >= 65 && keyCode <= 90) ||
           (keyCode >= 96 && keyCode <= 111) || (keyCode >= 186 && keyCode <= 192) ||
           (keyCode >= 219 && keyCode <= 222) || keyCode == 226;
}

}  // namespace

InlineEditor::InlineEditor(ui::Form1& form1, HotKeys& hotkeys, const Completion& completion)
    : form1_(form1), hotkeys_(hotkeys), completion_(completion) {}

void InlineEditor::Text1_KeyDown(int16_t keyCode, int16_t /*shift*/) {
    if (!form1_.Timer1.enabled() || !isEditingKey(keyCode)) {
        return;
    }
    hotkeys_.deleteNavigationHotKey();
    form1_.Timer1.setEnabled(false);
    form1_.setCaption(u"編集中");
    if (completion_.displaySize() == 2) {
        const bool wide = form1_.List1.width() + form1_.Text1.width() - 150 > form1_.width();
        form1_.Command2.setLeft(form1_.width() - (wide ? 1080 : 1330));
        form1_.Command1.setLeft(form1_.width() - (wide ? 2080 : 2330));
    }
    form1_.Command1.setVisible(true);
    form1_.Command2.setVisible(true);
}

}  // namespace wordvane
