#include "ui/forms.h"

namespace wordvane::ui {

ModeMenu::ModeMenu() : Menu(u"モード") {
    for (auto& item : mnuMode) {
        children.push_back(&item);
    }
    for (auto& item : mnuHotkey) {
        mnuSetHotKey.children.push_back(&item);
    }
    mnuSetHotKey.children.push_back(&mnuPopup);
    mnuDisplayPos.children = {&mnuCaretPos, &mnuMousePos};
    for (MenuItem* item : {&mnuHR, &mnuClipDuplicate, &mnuPopText, &mnuSetHotKey,
                           &mnuChangeReplaceWay, &mnuDisplayPos, &mnuOff, &mnuExit}) {
        children.push_back(item);
    }
    mnuExit.setVisible(false);
    mnuCaretPos.setChecked(true);
    mnuCaretPos.onClick = [this] {
        mnuCaretPos.setChecked(true);
        mnuMousePos.setChecked(false);
    };
    mnuMousePos.onClick = [this] {
        mnuMousePos.setChecked(true);
        mnuCaretPos.setChecked(false);
    };
}

ListMenu::ListMenu() : Menu(u"リストメニュー") {
    children = {&mnuItemDelete, &mnuStore, &mnuClipAllDelete, &mnuSave};
}

Form1::Form1() {
    addControl(101, "List1", List1);
    addControl(102, "Text1", Text1);
    addControl(103, "Command1", Command1);
    addControl(104, "Command2", Command2);
    addControl(105, "Label1", Label1);
    addTimer(Timer1);
    // The candidate list never takes the keyboard from the user's application.
    setStyle(WindowStyle::Popup);
    setCaption(u"Wordvane");
    List1.place(0, 5, 2775, 2760);
    Command1.setWidth(900);
    Command1.setHeight(360);
    Command2.setWidth(900);
    Command2.setHeight(360);
    // Label1 only measures texts; it is never seen.
    Label1.setVisible(false);
    Timer1.setInterval(1);
    Timer1.setEnabled(true);
}

Form2::Form2() {
    addControl(101, "Label1", Label1);
    addTimer(Timer1);
    setStyle(WindowStyle::Popup);
    Label1.place(0, 0, 3600, 600);
    Timer1.setInterval(300);
    Timer1.setEnabled(false);
}

Form7::Form7() {
    addControl(101, "Label1", Label1);
    setStyle(WindowStyle::Popup);
    constexpr uint32_t kDarkGrey = 0x404040;
    background = kDarkGrey;
    Label1.textStyle = TextStyle{u"ＭＳ Ｐゴシック", 12, true, 0xFFFFFF, kDarkGrey};
    // The balloon's body, in twips at 96 dpi: 160 x 55 pixels with its tail.
    Label1.place(150, 150, 2100, 330);
}

Form8::Form8() {
    addControl(101, "Text1", Text1);
}

Forms::Forms() {
    // Sizes in twips until the windows are laid out (the candidate list takes
    // its size from the list's display size).
    int number = 1;
    for (Window* window :
         {static_cast<Window*>(&form1), static_cast<Window*>(&form2), &form3, &form4, &form5,
          &form6, static_cast<Window*>(&form7), static_cast<Window*>(&form8), &form9}) {
        window->setWidth(2775);
        window->setHeight(3900);
        window->setHandle(static_cast<WindowHandle>(0x1000 + number));
        ++number;
    }
    form2.place(0, 0, 3600, 600);
    // The balloon: 160 x 55 pixels at 96 dpi, its region cut at load.
    form7.place(0, 0, 2400, 825);
    form3.setStyle(WindowStyle::Dialog);
    form5.setStyle(WindowStyle::Dialog);
}

Window& Forms::byNumber(int number) {
    switch (number) {
        case 1:
            return form1;
        case 2:
            return form2;
        case 3:
            return form3;
        case 4:
            return form4;
        case 5:
            return form5;
        case 6:
            return form6;
        case 7:
            return form7;
        case 8:
            return form8;
        default:
            return form9;
    }
}

}  // namespace wordvane::ui
