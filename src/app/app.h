#pragma once

#include <map>
#include <string>
#include <string_view>

#include "completion/completion_state.h"
#include "completion/insertion.h"
#include "completion/key_reader.h"
#include "hotkeys/hotkey_state.h"
#include "lists/list_state.h"
#include "lists/settings.h"
#include "platform/platform.h"
#include "textwindow/replace_sets.h"
#include "ui/forms.h"

namespace wordvane {

inline constexpr char16_t kAppTitle[] = u"Wordvane";

// The whole program: its windows and the state that Form1 owns, on one
// platform.
class App {
  public:
    explicit App(Platform& platform);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Platform& platform;
    ui::Forms forms;
    Settings settings;
    ListState lists;
    HotKeyState hotkeys;
    CompletionState completion;
    TextWindowSets textWindow;    // Form4's sets and opacity
    ReplaceEditor replaceEditor;  // Form9's copy of the sets

    // True once a fatal list-file error has started the shutdown: nothing
    // may be saved then.
    bool abortingLoad = false;
    // True once the process has been told to end; every procedure returns
    // at once after that.
    bool processEnded = false;
    KeyReader keyReader;       // Form2's key polling
    InsertionState insertion;  // Form2's clipboard insertion

    // How often each part of the program that is not built yet was called.
    // Some are called on every tick: counting them allocates nothing once a
    // name is known.
    std::map<std::u16string, int, std::less<>> notYetBuilt;
    void callNotYetBuilt(std::u16string_view name) {
        const auto known = notYetBuilt.find(name);
        if (known != notYetBuilt.end()) {
            ++known->second;
        } else {
            notYetBuilt.emplace(name, 1);
        }
    }

    // A message box with the program's title.
    int message(const std::u16string& text, int style);
    void endProcess();
    // The program folder, ending in a path separator.
    std::u16string programFolder();
};

}  // namespace wordvane
