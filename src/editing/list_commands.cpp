#include "editing/list_commands.h"

#include <algorithm>

#include "lists/list_files.h"
#include "lists/text_file.h"
#include "platform/foreground_keeper.h"
#include "textwindow/line_marks.h"
#include "ui/message_box.h"
#include "ui/placement.h"

namespace wordvane {

namespace {

constexpr char16_t kEmptySlotAccount[] = u"まだ入っていません。";
constexpr char16_t kLabelFont[] = u"ＭＳ Ｐゴシック";
constexpr int kLabelPointSize = 9;

}  // namespace

ListCommands::ListCommands(Platform& platform, Lists& lists, Completion& completion,
                           HotKeys& hotkeys, ui::Form1& form1, ui::Window& addWordDialog)
    : platform_(platform),
      lists_(lists),
      completion_(completion),
      hotkeys_(hotkeys),
      form1_(form1),
      addWordDialog_(addWordDialog) {}

void ListCommands::deleteWord(int16_t word) {
    WordListClass& words = lists_.words(completion_.currentList());
    const int16_t last = words.getWordLength();
    words.moveWordToEnd(word);
    // The deleted word leaves an empty slot, its elements dropped with it.
    words.resetWord(last, u"", kEmptySlotAccount);
}

void ListCommands::deleteElement(int16_t word, int16_t element) {
    WordListClass& words = lists_.words(completion_.currentList());
    const int16_t last = words.getElementLength(word);
    for (int16_t e = element; e < last; ++e) {
        words.changeString(word, e, words.getString(word, static_cast<int16_t>(e + 1), 0),
                           words.getString(word, static_cast<int16_t>(e + 1), 1));
    }
    words.decrementAttributeLength(word);
    if (element == 1) {
        completion_.endCycle();  // back to the word level
    }
}

bool ListCommands::doItemDelete() {
    completion_.hideHelperWindows();
    const int list = completion_.currentList();
    const bool wordLevel = completion_.openWord() == -1;
    if (wordLevel && completion_.currentWords().getWordLength() == 0) {
        showMessage(platform_,
                    u"単語がひとつしかないので削除できません。\r\nリストを空にすることはできません",
                    kMbIconExclamation);
        return false;
    }
    const std::optional<EntryRef> target = completion_.selectedRef();
    if (!target) {
        return false;
    }
    if (list == kClipboardList && wordLevel && target->word == 0) {
        showMessage(platform_, u"この項目は削除できません", kMbOk);
        completion_.showList();
        return false;
    }
    if (showMessage(platform_, u"この項目を削除してよろしいですか?", kMbYesNo) != kIdYes ||
        !lists_.holds(*target)) {
        return false;
    }
    if (wordLevel) {
        deleteWord(target->word);
    } else {
        deleteElement(target->word, target->element);
    }
    lists_.markChanged(list);
    completion_.showList();
    return true;
}

bool ListCommands::doItemStore() {
    // The storage takes words of the clipboard list only.
    const std::optional<EntryRef> target =
        completion_.currentList() == kClipboardList && completion_.openWord() == -1
            ? completion_.selectedRef()
            : std::nullopt;
    if (showMessage(platform_, u"この項目を保管庫へ移動しますか?", kMbYesNo) != kIdYes || !target ||
        !lists_.holds(*target)) {
        return true;
    }
    if (!lists_.addWord(kClipboardList, 0, target->name, target->account)) {
        showMessage(platform_, kListFullMessage, kMbIconExclamation);
    }
    return true;
}

namespace {

// While a question or a menu of the list is up, Return, Tab and the arrows
// are the box's or the menu's, not hotkeys, and the keys typed there are not
// read as typing; the list has the foreground meanwhile, and afterwards is as
// it was, its hotkeys back while it is shown. A window that took the
// foreground from the list meanwhile keeps it (a dialog chosen from the menu).
class ListPause {
  public:
    ListPause(Platform& platform, ui::Form1& form1, HotKeys& hotkeys)
        : platform_(platform),
          form1_(form1),
          hotkeys_(hotkeys),
          foreground_(platform),
          ticking_(form1.Timer1.enabled()) {
        hotkeys_.deleteNavigationHotKey();
        form1_.Timer1.setEnabled(false);
        platform.setForegroundWindow(form1_.handle());
    }
    ~ListPause() {
        if (const WindowHandle front = platform_.foregroundWindow(); front != form1_.handle()) {
            foreground_.handTo(front);
        }
        form1_.Timer1.setEnabled(ticking_);
        if (form1_.visible() && ticking_) {
            hotkeys_.setNavigationHotKey();
        }
    }
    ListPause(const ListPause&) = delete;
    ListPause& operator=(const ListPause&) = delete;

  private:
    Platform& platform_;
    ui::Form1& form1_;
    HotKeys& hotkeys_;
    ForegroundKeeper foreground_;
    bool ticking_;
};

}  // namespace

void ListCommands::pushDeleteHotKey() {
    const ListPause pause(platform_, form1_, hotkeys_);
    doItemDelete();
}

void ListCommands::pushShiftDeleteHotKey() {
    if (completion_.currentList() != kClipboardList) {
        return;
    }
    completion_.form_visible(false);
    {
        const ListPause pause(platform_, form1_, hotkeys_);
        doItemStore();
    }
    completion_.form_visible(true);
}

void ListCommands::mnuSave_Click() {
    addWordDialog_.setVisible(false);
    const auto chosen = platform_.saveFileDialog(u"(*.txt)", 2054);
    if (!chosen || chosen->empty()) {
        return;
    }
    std::u16string path = *chosen;
    const std::u16string tail = path.size() > 4 ? path.substr(path.size() - 4) : path;
    if (tail.find(u'.') == std::u16string::npos) {
        path += u".txt";
    }
    const int list = completion_.currentList();
    TextFileForm form = lists_.fileForms[static_cast<size_t>(list)].forAnotherFile();
    const TextSave save = writeListFile(platform_, lists_, list, path, form);
    if (save != TextSave::Written) {
        showMessage(platform_, textSaveMessage(fileNameOf(path), save), kMbIconExclamation);
        return;
    }
    lists_.markSaved(list);
}

void ListCommands::List1_Click() {
    const std::optional<EntryRef> target = completion_.selectedRef();
    if (!target) {
        return;
    }
    form1_.Text1.setText(target->account);
    if (lists_.listDisplaySize[static_cast<size_t>(completion_.currentList())] == 2) {
        sizeLargeDescription();
    }
}

// The large display widens its description box to the text, up to the
// configured limit, and stays on the screen; a negative limit keeps its size.
void ListCommands::sizeLargeDescription() {
    if (lists_.settings.largeDescMaxWidth < 0) {
        return;
    }
    const PixelScale scale = ui::scaleOf(form1_, platform_);
    const std::u16string& text = form1_.Text1.text();
    int32_t width = 0;
    int32_t height = 0;
    for (size_t begin = 0; begin <= text.size();) {
        const size_t end = std::min(text.find(u"\r\n", begin), text.size());
        const Size line = platform_.measureText(text.substr(begin, end - begin), kLabelFont,
                                                kLabelPointSize, scale.dpi);
        width = std::max(width, scale.twips(line.width));
        height += scale.twips(line.height);
        begin = end + 2;
    }
    const int32_t maxWidth = lists_.settings.largeDescMaxWidth;
    ui::TextBox& box = form1_.Text1;
    if (width <= 5600) {
        box.setWidth(5900);
        form1_.setWidth(8475);
    } else if (width > maxWidth) {
        box.setWidth(maxWidth);
        form1_.setWidth(form1_.List1.width() + maxWidth - 300);
    } else {
        box.setWidth(width + 500);
        form1_.setWidth(width + form1_.List1.width() + 200);
    }
    if (height > 2800) {
        if (box.width() == 5900) {
            box.setWidth(5600);
        } else {
            form1_.setWidth(form1_.width() + 400);
        }
    }
    const Rect area = ui::workAreaOf(form1_, platform_);
    if (form1_.width() + form1_.left() > area.right) {
        form1_.setLeft(area.right - form1_.width() - 200);
    }
}

void ListCommands::List1_RightButton() {
    const int list = completion_.currentList();
    auto& menu = form1_.mnuListMenu;
    menu.mnuClipAllDelete.setVisible(list == kLauncherList || list == kClipboardList);
    menu.mnuOthers.setVisible(list == kClipboardList);
    // Only a word of the clipboard list can be moved to the storage.
    menu.mnuStore.setVisible(list == kClipboardList && completion_.openWord() == -1);
    // A pop-up menu closes properly only when its owner is in front; the
    // application gets the keyboard back afterwards.
    const ListPause pause(platform_, form1_, hotkeys_);
    platform_.popupMenu(menu, platform_.cursorPosition());
}

void ListCommands::markLines(std::u16string (*transform)(const std::u16string&)) {
    const std::optional<EntryRef> target =
        completion_.currentList() == kClipboardList ? completion_.selectedRef() : std::nullopt;
    if (!target) {
        return;
    }
    lists_.words(kClipboardList)
        .changeString(target->word, target->element, target->name, transform(target->account));
    completion_.showList();
}

void ListCommands::mnuSetKett_Click() {
    markLines(getKettString);
}

void ListCommands::mnuSetBr_Click() {
    markLines(getBrString);
}

}  // namespace wordvane
