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
    for (MenuItem* item :
         {&mnuHR, &mnuClipDuplicate, &mnuPopText, &mnuSetHotKey, &mnuChangeReplaceWay,
          &mnuDisplayPos, &mnuOff, &mnuStartAtSignIn, &mnuExit}) {
        children.push_back(item);
    }
    mnuStartAtSignIn.setVisible(false);
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
    children = {&mnuAdd,  &mnuItemDelete, &mnuChangeWordMenu, &mnuStore, &mnuClipAllDelete,
                &mnuSave, &mnuHR,         &mnuClipSeriese,    &mnuOthers};
    mnuOthers.children = {&mnuSetKett, &mnuSetBr};
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

Form3::Form3() {
    setCaption(u"Wordvane");
    setStyle(WindowStyle::Dialog);
    defaultButton = &Command1;
    cancelButton = &Command2;
    addControl(101, "Label1", Label1);
    addControl(102, "Text1", Text1);
    addControl(103, "Label2", Label2);
    addControl(104, "List1", List1);
    addControl(105, "Label3", Label3);
    addControl(106, "Text2", Text2);
    addControl(107, "Command1", Command1);
    addControl(108, "Command2", Command2);
    Label1.setCaption(u"追加する単語の名前");
    Label2.setCaption(u"単語を追加する場所");
    Label3.setCaption(u"単語の説明");
    Label1.place(120, 120, 2600, 300);
    Text1.place(120, 420, 2600, 330);
    Label2.place(2880, 120, 2600, 300);
    List1.place(2880, 420, 2700, 2900);
    Label3.place(120, 900, 2600, 300);
    Text2.place(120, 1200, 2800, 730);
    Command1.setWidth(1200);
    Command1.setHeight(400);
    Command2.setWidth(1200);
    Command2.setHeight(400);
}

Form5::Form5() {
    setCaption(u"変換後の単語 - Wordvane");
    setStyle(WindowStyle::Dialog);
    defaultButton = &Command1;
    cancelButton = &Command2;
    addControl(101, "RichTextBox1", RichTextBox1);
    addControl(102, "Command1", Command1);
    addControl(103, "Command2", Command2);
    RichTextBox1.place(120, 120, 4600, 1600);
    Command1.place(2160, 1860, 1200, 400);
    Command2.place(3520, 1860, 1200, 400);
}

Form6::Form6() {
    setStyle(WindowStyle::Dialog);
    defaultButton = &Command1;
    cancelButton = &Command2;
    addControl(101, "Label1", Label1);
    addControl(102, "Check1", Check1);
    addControl(103, "Check2", Check2);
    addControl(104, "Check3", Check3);
    addControl(105, "Check4", Check4);
    addControl(106, "Combo1", Combo1);
    addControl(107, "Command1", Command1);
    addControl(108, "Command2", Command2);
    Label1.setCaption(u"ホットキー変更");
    Label1.place(120, 120, 3000, 300);
    Check1.place(120, 480, 1100, 300);
    Check2.place(1260, 480, 1200, 300);
    Check3.place(2500, 480, 900, 300);
    Check4.place(3440, 480, 1200, 300);
    Combo1.place(120, 900, 4500, 3000);
    Command1.place(2040, 1500, 1200, 400);
    Command2.place(3400, 1500, 1200, 400);
}

Form4::Form4() {
    defaultButton = &Command1;  // 登録; Esc closes the window
    addControl(101, "Text1", Text1);
    addControl(102, "Command1", Command1);
    addControl(103, "Command2", Command2);
    Text1.place(120, 120, 3000, 330);
    Command1.place(120, 540, 1400, 400);
    Command2.place(1720, 540, 1400, 400);
}

Form9::Form9() {
    setCaption(u"置換文字列の編集 - Wordvane");
    setStyle(WindowStyle::Dialog);
    defaultButton = &Command1;
    cancelButton = &Command2;
    addControl(101, "Combo1", Combo1);
    addControl(102, "Label1", Label1);
    addControl(103, "Text1", Text1);
    addControl(104, "Label2", Label2);
    addControl(105, "Text2", Text2);
    addControl(106, "Label3", Label3);
    addControl(107, "Text3", Text3);
    addControl(108, "Command1", Command1);
    addControl(109, "Command2", Command2);
    Label1.setCaption(u"名前(&N)");
    Label2.setCaption(u"置換前(&B)");
    Label3.setCaption(u"置換後(&A)");
    Combo1.place(120, 120, 4800, 2400);
    Label1.place(120, 600, 1200, 300);
    Text1.place(1400, 570, 3520, 330);
    Label2.place(120, 1080, 1200, 300);
    Text2.place(1400, 1050, 3520, 330);
    Label3.place(120, 1560, 1200, 300);
    Text3.place(1400, 1530, 3520, 330);
    Command1.place(2200, 2100, 1300, 400);
    Command2.place(3620, 2100, 1300, 400);
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
    // The box fills the window below its caption: what is typed shows.
    Text1.place(0, 0, 2700, 330);
}

Forms::Forms() {
    // Sizes in twips until the windows are laid out (the candidate list takes
    // its size from the list's display size).
    for (int n = 1; n <= 9; ++n) {
        Window* window = &byNumber(n);
        window->setWidth(2775);
        window->setHeight(3900);
        window->setHandle(static_cast<WindowHandle>(0x1000 + n));
    }
    form2.place(0, 0, 3600, 600);
    // The balloon: 160 x 55 pixels at 96 dpi, its region cut at load.
    form7.place(0, 0, 2400, 825);
    form4.place(0, 0, 3400, 1400);
    form8.place(0, 0, 2775, 700);
    form9.place(0, 0, 5200, 3100);
    form3.place(0, 0, 5805, 4230);
    form5.place(0, 0, 5000, 2800);
    form6.place(0, 0, 4900, 2400);
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

Window* Forms::shownWindow(WindowHandle handle) {
    for (int number = 1; number <= 9; ++number) {
        Window& window = byNumber(number);
        if (window.visible() && window.handle() == handle) {
            return &window;
        }
    }
    return nullptr;
}

}  // namespace wordvane::ui
