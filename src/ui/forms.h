#pragma once

#include <array>

#include "ui/controls.h"

namespace wordvane::ui {

// The mode menu "モード" that the tray icon's right button pops up.
class ModeMenu : public Menu {
  public:
    ModeMenu();
    ModeMenu(const ModeMenu&) = delete;
    ModeMenu& operator=(const ModeMenu&) = delete;

    std::array<MenuItem, 7> mnuMode;
    MenuItem mnuHR{u"-"};
    MenuItem mnuClipDuplicate{u"重複履歴の保存"};
    MenuItem mnuPopText{u"ポップアップテキスト"};
    MenuItem mnuSetHotKey{u"ホットキー設定"};
    std::array<MenuItem, 7> mnuHotkey;
    MenuItem mnuPopup{u"ポップアップ"};
    MenuItem mnuChangeReplaceWay{u"置換方法の編集"};
    MenuItem mnuDisplayPos{u"表示位置"};
    MenuItem mnuCaretPos{u"キャレット位置"};
    MenuItem mnuMousePos{u"マウス位置"};
    MenuItem mnuOff{u"補完OFF"};
    MenuItem mnuStartAtSignIn{u"Windows の起動時に開始"};
    MenuItem mnuExit{u"終了"};
};

// The list menu "リストメニュー" that List1's right button pops up.
class ListMenu : public Menu {
  public:
    ListMenu();
    ListMenu(const ListMenu&) = delete;
    ListMenu& operator=(const ListMenu&) = delete;

    MenuItem mnuAdd{u"追加"};
    MenuItem mnuItemDelete{u"削除"};
    MenuItem mnuChangeWordMenu{u"名前の変更"};
    MenuItem mnuStore{u"保管庫へ移動"};
    MenuItem mnuClipAllDelete{u"すべて削除"};
    MenuItem mnuSave{u"保存"};
    MenuItem mnuHR{u"-"};
    MenuItem mnuClipSeriese{u"連続貼り付け"};
    MenuItem mnuOthers{u"その他"};
    MenuItem mnuSetKett{u"行の最初に\">\"をつける"};
    MenuItem mnuSetBr{u"改行前に\"<br>\"をつける"};
};

// The candidate-list window.
class Form1 : public Window {
  public:
    Form1();
    ListBox List1;
    TextBox Text1{true};
    Label Label1;  // measures the description text
    Button Command1{u"登録"};
    Button Command2{u"キャンセル"};
    Timer Timer1;
    ModeMenu mnuModeMenu;
    ListMenu mnuListMenu;
};

// The key and notice window: a small pop-up with one line of news that
// hides by itself; its timer restores the clipboard after an insertion.
class Form2 : public Window {
  public:
    Form2();
    Label Label1;
    Timer Timer1;
};

// The balloon above the candidate list that names the new mode.
class Form7 : public Window {
  public:
    Form7();
    Label Label1;
};

// The add-word dialog: a name, where to add it (a new word, or an element
// under a word of the current list) and a description.
class Form3 : public Window {
  public:
    Form3();
    Label Label1;
    TextBox Text1;
    Label Label2;
    ListBox List1;
    Label Label3;
    TextBox Text2{true};
    Button Command1{u"登録(&V)"};
    Button Command2{u"キャンセル(&X)"};
};

// The rename dialog.
class Form5 : public Window {
  public:
    Form5();
    TextBox RichTextBox1{true};
    Button Command1{u"OK(&V)"};
    Button Command2{u"キャンセル(&X)"};
};

// The hotkey settings dialog: four modifiers and a main key.
class Form6 : public Window {
  public:
    Form6();
    Label Label1;
    CheckBox Check1{u"Shift"};
    CheckBox Check2{u"Controll"};
    CheckBox Check3{u"Alt"};
    CheckBox Check4{u"Windows"};
    ComboBox Combo1;
    Button Command1{u"変更"};
    Button Command2{u"キャンセル"};
};

// The text window: a copied path's name box with 登録 and GO.
class Form4 : public Window {
  public:
    Form4();
    TextBox Text1;
    Button Command1{u"登録"};
    Button Command2{u"GO"};
};

// The replacement-set editor.
class Form9 : public Window {
  public:
    Form9();
    ComboBox Combo1;
    Label Label1;
    TextBox Text1;
    Label Label2;
    TextBox Text2;
    Label Label3;
    TextBox Text3;
    Button Command1{u"決定(&V)"};
    Button Command2{u"キャンセル(&X)"};
};

// The launcher's filter box.
class Form8 : public Window {
  public:
    Form8();
    TextBox Text1;
};

// All windows of the program, Form1 to Form9. Forms 3 to 9 get their own
// controls as their dialogs are built.
struct Forms {
    Forms();
    Form1 form1;
    Form2 form2;
    Form3 form3;
    Form4 form4;
    Form5 form5;
    Form6 form6;
    Form7 form7;
    Form8 form8;
    Form9 form9;

    // Something reached the program while its main tick may sleep: a key
    // anywhere, a hotkey, the tray icon, a clipboard change, a message to one
    // of its windows. The platform calls it before the program handles it.
    std::function<void()> onEvent;

    // Form1 to Form9 by number.
    Window& byNumber(int number);
    // The shown window with `handle` (the one in front, say); null when no
    // shown window of the program has it.
    Window* shownWindow(WindowHandle handle);
};

}  // namespace wordvane::ui
