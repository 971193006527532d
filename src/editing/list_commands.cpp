#include "editing/list_commands.h"

#include "lists/list_files.h"
#include "lists/text_file.h"
#include "ui/message_box.h"

namespace wordvane {

ListCommands::ListCommands(Platform& platform, Lists& lists, const Completion& completion,
                           ui::Window& addWordDialog)
    : platform_(platform), lists_(lists), completion_(completion), addWordDialog_(addWordDialog) {}

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
    if (!writeListFile(platform_, lists_, list, path)) {
        showMessage(platform_, saveFailedMessage(fileNameOf(path)), kMbIconExclamation);
        return;
    }
    lists_.markSaved(list);
}

}  // namespace wordvane
