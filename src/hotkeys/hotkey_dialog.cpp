#include "hotkeys/hotkey_dialog.h"

#include <algorithm>

#include "lists/decimal_text.h"
#include "ui/message_box.h"
#include "ui/placement.h"

namespace wordvane {

namespace {

struct KeyEntry {
    const char16_t* text;
    int32_t code;
};

// The main keys after the letters, in the dialog's order (Japanese layout).
constexpr KeyEntry kSymbolKeys[] = {
    {u"スペース", 32},     {u"アプリケーションキー", 93},
    {u":(コロン)", 186},   {u";(セミコロン)", 187},
    {u",(カンマ)", 188},   {u"-", 189},
    {u".(ピリオド)", 190}, {u"/", 191},
    {u"@", 192},           {u"[", 219},
    {u"\\", 220},          {u"]", 221},
    {u"^", 222},           {u"\\(バックスラッシュ)", 226},
};
constexpr KeyEntry kOtherKeys[] = {
    {u"Insert", 45},     {u"Delete", 46},
    {u"変換", 28},       {u"無変換", 29},
    {u"Num Lock", 144},  {u"Scroll Lock", 145},
    {u"Caps Lock", 240}, {u"カタカナ/ひらがな/ローマ字 ", 242},
};

// Keys that type or edit text in every application, and the input method's
// own keys: as a hotkey without Ctrl, Alt or Windows they would be taken from
// all typing.
bool typesText(int32_t key) {
    return key == 32 || (key >= 48 && key <= 57) || (key >= 65 && key <= 90) ||
           (key >= 186 && key <= 192) || (key >= 219 && key <= 222) || key == 226 || key == 45 ||
           key == 46 || key == 28 || key == 29 || key == 240 || key == 242;
}

constexpr char16_t kTypingKeyMessage[] =
    u"文字を入力するキーは、Ctrl、Alt、Windowsのどれかと組み合わせてください。";

}  // namespace

HotKeyDialog::HotKeyDialog(Platform& platform, ui::Form6& form6, HotKeys& hotkeys,
                           const Lists& lists, const ui::MenuItem& completionOff)
    : platform_(platform),
      form6_(form6),
      hotkeys_(hotkeys),
      lists_(lists),
      completionOff_(completionOff) {
    std::vector<std::u16string> items;
    std::vector<int32_t> codes;
    const auto add = [&](std::u16string text, int32_t code) {
        items.push_back(std::move(text));
        codes.push_back(code);
    };
    for (char16_t c = u'A'; c <= u'Z'; ++c) {
        add(std::u16string(1, c), c);
    }
    for (const KeyEntry& key : kSymbolKeys) {
        add(key.text, key.code);
    }
    for (char16_t c = u'0'; c <= u'9'; ++c) {
        add(std::u16string(1, c), c);
    }
    for (int32_t f = 1; f <= 16; ++f) {
        add(u"F" + toDecimal(f), 111 + f);
    }
    for (const KeyEntry& key : kOtherKeys) {
        add(key.text, key.code);
    }
    form6_.Combo1.itemData = std::move(codes);
    form6_.Combo1.setItems(std::move(items));
    form6_.Combo1.setListIndex(0);
    form6_.Command1.onClick = [this] { Command1_Click(); };
    form6_.Command2.onClick = [this] { Command2_Click(); };
}

void HotKeyDialog::showCombination(int32_t modifiers, int32_t key) {
    form6_.Check1.setChecked((modifiers & kModShift) != 0);
    form6_.Check2.setChecked((modifiers & kModControl) != 0);
    form6_.Check3.setChecked((modifiers & kModAlt) != 0);
    form6_.Check4.setChecked((modifiers & kModWin) != 0);
    const auto& codes = form6_.Combo1.itemData;
    const auto found = std::find(codes.begin(), codes.end(), key);
    if (found != codes.end()) {
        form6_.Combo1.setListIndex(static_cast<int16_t>(found - codes.begin()));
    }
}

void HotKeyDialog::open(int16_t changeMode) {
    changeMode_ = changeMode;
    if (changeMode == -1) {
        form6_.setCaption(u"ポップアップメニューの変更 - Wordvane");
        const HotKeyCombination popup = hotkeys_.popupCombination();
        showCombination(popup.modifiers, popup.key);
    } else {
        form6_.setCaption(lists_.listNames[static_cast<size_t>(changeMode)] + u"の変更 - Wordvane");
        const HotKeySetting& hotKey = hotkeys_.hotKeys()[static_cast<size_t>(changeMode)];
        showCombination(hotKey.prePushHotKey, hotKey.pushedKey);
    }
    ui::openDialog(form6_, platform_, platform_.cursorPosition(), form6_.Check1);
}

std::u16string HotKeyDialog::combinationName(int32_t modifiers, int32_t key) const {
    std::u16string name;
    for (const auto& [flag, text] : {std::pair{kModShift, u"Shift+"},
                                     {kModControl, u"Ctrl+"},
                                     {kModAlt, u"Alt+"},
                                     {kModWin, u"Windows+"}}) {
        if ((modifiers & flag) != 0) {
            name += text;
        }
    }
    const auto& codes = form6_.Combo1.itemData;
    const auto found = std::find(codes.begin(), codes.end(), key);
    return name + (found != codes.end()
                       ? form6_.Combo1.items()[static_cast<size_t>(found - codes.begin())]
                       : toDecimal(key));
}

// A duplicate of another list hotkey is stored and left unregistered, as
// before; a combination the system refuses brings the old one back.
bool HotKeyDialog::changeListHotKey(int16_t list, int32_t modifiers, int16_t key) {
    const HotKeySetting old = hotkeys_.hotKeys()[static_cast<size_t>(list)];
    const bool on = !completionOff_.checked();
    hotkeys_.deleteShowHotKey();
    hotkeys_.setHotKeyNumber(list, modifiers, key);
    hotkeys_.setEnableHotkey();
    if (!on) {
        return true;  // registered when completion comes back on
    }
    hotkeys_.setShowHotKey();
    const auto index = static_cast<size_t>(list);
    if (!hotkeys_.hotKeys()[index].enabled || !hotkeys_.listInUse(list) ||
        hotkeys_.listHotKeyRegistered(index)) {
        return true;
    }
    hotkeys_.deleteShowHotKey();
    hotkeys_.setHotKeyNumber(list, old.prePushHotKey, old.pushedKey);
    hotkeys_.setEnableHotkey();
    hotkeys_.setShowHotKey();
    return false;
}

void HotKeyDialog::Command1_Click() {
    const int32_t modifiers =
        (form6_.Check1.checked() ? kModShift : 0) | (form6_.Check2.checked() ? kModControl : 0) |
        (form6_.Check3.checked() ? kModAlt : 0) | (form6_.Check4.checked() ? kModWin : 0);
    const int16_t selected = form6_.Combo1.listIndex();
    if (selected < 0 || static_cast<size_t>(selected) >= form6_.Combo1.itemData.size()) {
        return;
    }
    const auto key = static_cast<int16_t>(form6_.Combo1.itemData[static_cast<size_t>(selected)]);
    if (typesText(key) && (modifiers & (kModControl | kModAlt | kModWin)) == 0) {
        showMessage(platform_, kTypingKeyMessage, kMbIconExclamation);
        return;
    }
    if (showMessage(platform_, u"ホットキーを変更してよろしいですか？", kMbYesNo) != kIdYes) {
        return;
    }
    const bool taken = changeMode_ == -1 ? hotkeys_.changePopupHotkey(modifiers, key)
                                         : changeListHotKey(changeMode_, modifiers, key);
    if (!taken) {
        showMessage(platform_,
                    u"ホットキー「" + combinationName(modifiers, key) +
                        u"」はほかのプログラムが使っているため設定できませんでした。",
                    kMbIconExclamation);
        return;
    }
    form6_.setVisible(false);
}

}  // namespace wordvane
