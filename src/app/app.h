#pragma once

#include "app/shell.h"
#include "clipboard/clipboard_capture.h"
#include "clipboard/series_paste.h"
#include "completion/completion.h"
#include "completion/insertion.h"
#include "completion/key_reader.h"
#include "completion/main_tick.h"
#include "completion/modes.h"
#include "editing/inline_editor.h"
#include "editing/launcher.h"
#include "editing/list_commands.h"
#include "editing/list_navigation.h"
#include "editing/word_dialogs.h"
#include "hotkeys/hotkey_dialog.h"
#include "hotkeys/hotkey_dispatch.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "textwindow/replace_sets.h"
#include "textwindow/text_transform.h"
#include "textwindow/text_window.h"
#include "ui/forms.h"
#include "ui/notice.h"

namespace wordvane {

// The whole program on one platform: its windows and its subsystems, each
// built with the few others it uses, and the events of the windows wired to
// them. App holds nothing else.
class App {
  public:
    explicit App(Platform& platform);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Platform& platform;
    ui::Forms forms;
    Lists lists;
    TextWindowSets replaceSets;   // Form4's sets and opacity
    ReplaceEditor replaceEditor;  // Form9
    KeyReader keyReader;
    HotKeys hotkeys;
    Insertion insertion;
    Completion completion;
    Modes modes;
    ClipboardCapture capture;
    ui::Notice notice;
    ListNavigation navigation;
    Launcher launcher;
    TextWindow textWindow;
    TextTransform textTransform;
    SeriesPaste series;
    ListCommands listCommands;
    WordDialogs wordDialogs;
    InlineEditor inlineEditor;
    HotKeyDialog hotkeyDialog;
    HotKeyDispatch hotkeyDispatch;
    MainTick mainTick;
    Shell shell;
};

}  // namespace wordvane
