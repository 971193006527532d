#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "completion/completion.h"
#include "hotkeys/hotkey_registration.h"
#include "lists/lists.h"
#include "lists/message.h"
#include "lists/settings_file.h"
#include "platform/platform.h"
#include "textwindow/replace_sets.h"
#include "ui/forms.h"

namespace wordvane {

inline constexpr int kTrayLeftButtonUp = 514;
inline constexpr int kTrayRightButtonUp = 517;

// The application shell: start-up, the tray icon and its menu, and the
// shutdown that saves the lists and the settings.
class Shell {
  public:
    Shell(Platform& platform, ui::Forms& forms, Lists& lists, HotKeys& hotkeys,
          Completion& completion, TextWindowSets& replaceSets, ReplaceEditor& replaceEditor);

    // Start-up, run once when Form1 is created. True when the program is
    // resident; false when start-up ended the process (another instance,
    // unreadable settings or a fatal list-file error).
    bool Form_Load();
    // Runs at the end of a start-up that made the program resident.
    std::function<void()> onResident;
    // Runs first when the program is asked to end (終了, the session's end,
    // the installer's request): a paste under way completes.
    std::function<void()> beforeQuit;
    // The saves after a change wait while this says so (the list is shown,
    // an insertion is under way).
    std::function<bool()> saveWaits;

    // The tray menu's "終了".
    void mnuExit_Click();
    // The whole shutdown, on any closing of Form1; ends the process.
    void Form_QueryUnload();
    // The session ends: what an exit saves is saved, the changed word lists
    // included, without a question; then the process ends.
    void endSession();
    // The installer asks the program to quit: it saves as at the session's
    // end, asking nothing, and ends.
    void quitWithoutQuestions();
    // Windows asks whether the session may end: it is asked to wait for the
    // saves that follow.
    void queryEndSession();

    // Form1's mouse-move handler, which also receives the tray icon's
    // callback: the mouse message number arrives as X in twips.
    void Form_MouseMove(int button, int shift, int32_t x, int32_t y);
    // The tray icon's callback with its mouse message number.
    void onTrayIconMessage(int mouseMessage);
    void mnuStartAtSignIn_Click();

    // The launcher list, the history and vane.ini (and the changed word lists
    // when no exit question is asked) are written a few seconds after they
    // change, so that a crash or a power cut loses at most those seconds.
    void saveSoonAfterChanges();
    // No change of those files waits for its save.
    bool nothingToSave();

    // Everything vane.ini holds, from the subsystems that own it.
    SettingsFileContent settingsFileContent() const;
    const TextFileForm& settingsForm() const { return settingsForm_; }

    // True once a fatal list-file error has started the shutdown: nothing
    // may be saved then.
    bool abortingLoad() const { return abortingLoad_; }

  private:
    // startup.cpp
    bool readSettings();
    void applySettings(const SettingsFileContent& content);
    void createWindowsHiddenAndTopmost();
    bool readLists();
    void checkWritable();
    bool startsThisProgram(const std::optional<std::u16string>& command);
    void captionModeMenu();
    void applyHeaderDefaults();
    void chooseFirstMode();
    // shutdown.cpp
    void saveSpecialLists();
    void saveChangedWordLists();
    void saveListOrTell(int list);
    void saveCopyAndTell(int list);
    // The changes of a list start-up could not read went to `copyName`
    // beside it: the user is told where.
    void tellCopyWritten(int list, const std::u16string& copyName);
    void tellSave(const std::u16string& fileName, TextSave save);
    size_t fingerprintOfSavedFiles();
    void endProcess();
    // A file written by the saves after a change: its name, its list (or
    // none for vane.ini), the form to update (none for a copy) and the list's
    // revision when it was made.
    struct BackgroundSave {
        std::u16string fileName;
        int list;
        TextFileForm* form;
        uint64_t revision;
    };
    static constexpr int kNoList = -1;
    void saveInBackground(size_t fingerprint);
    void backgroundSaved(const std::vector<BackgroundSave>& saves,
                         const std::vector<FileWrite>& outcomes, size_t fingerprint);

    void show(const Messages& messages);
    int message(const std::u16string& text, int style);

    Platform& platform_;
    ui::Forms& forms_;
    Lists& lists_;
    HotKeys& hotkeys_;
    Completion& completion_;
    TextWindowSets& replaceSets_;
    ReplaceEditor& replaceEditor_;
    bool abortingLoad_ = false;
    bool processEnded_ = false;
    bool sessionEnding_ = false;
    // How vane.ini was read, so that it is written back the same way.
    TextFileForm settingsForm_;
    // The files start-up found it cannot write: they are not saved.
    std::set<std::u16string> unwritable_;
    // What was last saved or read of the files saved after a change, what
    // was seen at the last look, and when to look again; while saving in
    // the background a failure is not told (exit tells it).
    size_t savedFingerprint_ = 0;
    size_t seenFingerprint_ = 0;
    uint64_t nextSaveLook_ = 0;
    bool savingInBackground_ = false;
    // The saves after a change are being written on the worker thread.
    bool backgroundSave_ = false;
    // The launcher list's and the history's revision and content hash at
    // the last look.
    std::array<std::pair<uint64_t, size_t>, 2> listLooks_{};
};

}  // namespace wordvane
