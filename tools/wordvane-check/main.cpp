// wordvane-check DIR [--rewrite OUT] | --version
//
// Reads DIR/vane.ini and the seven list files exactly as Wordvane's start-up
// does and prints every message start-up would show, then a summary. Exit
// status 0 when start-up would go on, 1 when it would end the program, 2 on
// wrong use. With --rewrite OUT, every loaded list and the settings are also
// written into folder OUT the way Wordvane saves them.

#include <filesystem>
#include <iostream>
#include <string>

#include "app/app.h"
#include "lists/list_files.h"
#include "lists/settings_file.h"
#include "platform/fake/fake_platform.h"
#include "util/utf8.h"
#include "version.h"

namespace {

using namespace wordvane;

std::string lines(const std::u16string& text) {
    std::string out = toUtf8(text);
    for (size_t pos = out.find("\r\n"); pos != std::string::npos; pos = out.find("\r\n", pos)) {
        out.replace(pos, 2, "\n");
    }
    return out;
}

void printSummary(const Lists& lists) {
    for (int i = 0; i < kListCount; ++i) {
        std::cout << toUtf8(listFileName(i)) << ": ";
        if (lists.loaded(i)) {
            std::cout << "loaded \"" << toUtf8(lists.listNames[static_cast<size_t>(i)]) << "\", "
                      << lists.words(i).getWordLength() + 1 << " words, "
                      << lists.fileForms[static_cast<size_t>(i)].describe() << "\n";
        } else {
            std::cout << "not loaded\n";
        }
    }
}

bool rewrite(App& app, const std::string& out) {
    std::error_code error;
    std::filesystem::create_directories(out, error);
    const std::u16string folder = fromUtf8(out) + u"/";
    const auto written = [](TextSave save) {
        return save == TextSave::Written || save == TextSave::WrittenOverInexact;
    };
    TextFileForm settingsForm = app.shell.settingsForm().forAnotherFile();
    bool ok = written(writeSettingsFile(app.platform, folder + kSettingsFileName,
                                        app.shell.settingsFileContent(), settingsForm));
    for (int i = 0; i < app.lists.loadedListCount; ++i) {
        TextFileForm form = app.lists.fileForms[static_cast<size_t>(i)].forAnotherFile();
        ok = written(writeListFile(app.platform, app.lists, i, folder + listFileName(i), form)) &&
             ok;
    }
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << "Wordvane " << WORDVANE_VERSION << "\n";
        return 0;
    }
    const bool rewriting = argc == 4 && std::string(argv[2]) == "--rewrite";
    if (argc != 2 && !rewriting) {
        std::cerr << "usage: wordvane-check DIR [--rewrite OUT]\n";
        return 2;
    }
    FakePlatform platform(argv[1]);
    App app(platform);
    const bool resident = app.shell.Form_Load();
    for (const auto& message : platform.messages) {
        std::cout << lines(message.text) << "\n";
    }
    if (!resident) {
        std::cout << "start-up ends the program\n";
        return 1;
    }
    std::cout << "vane.ini: " << app.shell.settingsForm().describe() << "\n";
    printSummary(app.lists);
    if (rewriting) {
        if (!rewrite(app, argv[3])) {
            std::cerr << "could not write every file into " << argv[3] << "\n";
            return 1;
        }
        std::cout << "rewritten into " << argv[3] << "\n";
    }
    return 0;
}
