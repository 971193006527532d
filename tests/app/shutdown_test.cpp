#include <gtest/gtest.h>

#include <filesystem>

#include "platform/fake/fake_session.h"
#include "support/app_fixture.h"

namespace wordvane::test {
namespace {

const std::u16string kSaveQuestion = u"変更されているリストがあります。\r\n変更を保存しますか？";

class Shutdown : public AppTest {
  protected:
    void SetUp() override { folder.writeStandard(); }

    void start() {
        ASSERT_TRUE(app.shell.Form_Load());
        ASSERT_TRUE(platform.messages.empty());
    }

    std::vector<std::string> writtenNames() const {
        std::vector<std::string> names;
        for (const auto& path : platform.writtenFiles) {
            const auto name = path.substr(path.find_last_of(u'/') + 1);
            names.emplace_back(name.begin(), name.end());
        }
        return names;
    }

    void setConfirm(bool confirm) {
        auto lines = standardSettings();
        lines[6] = confirm ? u"True/" : u"False/";
        folder.write("vane.ini", lines);
    }
};

TEST_F(Shutdown, ExitWritesTheSpecialListsAndSettingsAndReleasesEverything) {
    const auto launch = folder.bytes("Launch.txt");
    const auto clip = folder.bytes("ClipBoad.txt");
    start();
    app.completion.form_visible(true);
    ASSERT_EQ(platform.registeredHotKeys.size(), 8u + 13u) << "the navigation group is registered";
    app.shell.mnuExit_Click();
    EXPECT_TRUE(platform.messages.empty()) << "no question without changed word lists";
    EXPECT_EQ(writtenNames(), (std::vector<std::string>{"Launch.txt", "ClipBoad.txt", "vane.ini"}));
    EXPECT_EQ(folder.bytes("Launch.txt"), launch);
    EXPECT_EQ(folder.bytes("ClipBoad.txt"), clip);
    EXPECT_EQ(folder.lines("vane.ini").size(), 28u);
    EXPECT_TRUE(platform.exited);
    EXPECT_FALSE(platform.trayIconShown);
    EXPECT_TRUE(platform.registeredHotKeys.empty());
    EXPECT_FALSE(app.hotkeys.hooked());
    for (int number = 2; number <= 9; ++number) {
        EXPECT_FALSE(app.forms.byNumber(number).loaded()) << "Form" << number;
    }
    EXPECT_FALSE(app.forms.form1.visible());
}

TEST_F(Shutdown, ClosingTheListHidesItAndOnlyTheQuitRequestEndsTheProgram) {
    start();
    app.completion.switchList(2, u"");
    app.completion.form_visible(true);
    app.forms.form1.close();  // Alt+F4 on the list or its description
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_FALSE(platform.exited);
    EXPECT_TRUE(platform.trayIconShown);
    app.forms.form1.onQuitRequest();
    EXPECT_TRUE(platform.exited);
}

TEST_F(Shutdown, ChangedWordListsAreSavedOnlyWhenTheUserSaysYes) {
    const auto wordList2 = folder.bytes("WordList2.txt");
    start();
    app.lists.wordListChanged[1] = true;
    app.lists.wordListChanged[3] = true;
    app.lists.wordLists[3].addNewString(u"new", u"word");
    platform.messageAnswers.push_back(kIdNo);
    app.shell.Form_QueryUnload();
    ASSERT_EQ(messageTexts(), std::vector<std::u16string>{kSaveQuestion});
    EXPECT_EQ(platform.messages[0].style, kMbYesNo);
    EXPECT_EQ(writtenNames(), (std::vector<std::string>{"Launch.txt", "ClipBoad.txt", "vane.ini"}));
    EXPECT_EQ(folder.bytes("WordList2.txt"), wordList2);
}

TEST_F(Shutdown, YesSavesEveryChangedWordListToItsOwnFile) {
    start();
    app.lists.wordListChanged[1] = true;
    app.lists.wordListChanged[3] = true;
    app.lists.wordLists[3].addNewString(u"new", u"word");
    platform.messageAnswers.push_back(kIdYes);
    app.shell.Form_QueryUnload();
    EXPECT_EQ(messageTexts(), std::vector<std::u16string>{kSaveQuestion}) << "asked once";
    EXPECT_EQ(writtenNames(), (std::vector<std::string>{"Launch.txt", "ClipBoad.txt", "vane.ini",
                                                        "WordList2.txt", "WordList4.txt"}));
    EXPECT_EQ(folder.lines("WordList2.txt")[7], u"3");
}

TEST_F(Shutdown, AWordAddedToAWordListIsSavedAtExit) {
    setConfirm(false);
    start();
    app.lists.addWord(4, -1, u"new", u"a new word");
    app.lists.addWord(4, 0, u"element", u"of ab");
    const int16_t history = app.lists.settings.clipHistorySize;
    app.lists.addWord(1, -1, u"kept", u"kept text");
    EXPECT_EQ(app.lists.settings.clipHistorySize, history + 1) << "the history grows with its list";
    app.shell.Form_QueryUnload();
    const auto lines = folder.lines("WordList3.txt");
    EXPECT_EQ(lines[7], u"3");
    EXPECT_EQ(lines.back(), u"a new word");
    EXPECT_EQ(folder.lines("ClipBoad.txt")[7], u"5");
    EXPECT_EQ(folder.lines("vane.ini")[2].substr(0, 2), u"5/") << "and so does the settings line";
}

TEST_F(Shutdown, WithoutConfirmationChangedListsAreSavedWithoutAQuestion) {
    setConfirm(false);
    start();
    app.lists.wordListChanged[4] = true;
    app.shell.Form_QueryUnload();
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(writtenNames().back(), "WordList5.txt");
}

// Log-off and shutdown: nobody can answer a question, so changed word lists
// are saved without one, while Windows is asked to wait.
TEST_F(Shutdown, TheSessionsEndSavesEverythingWithoutAsking) {
    start();
    app.lists.wordListChanged[1] = true;
    platform.failingWrites.insert(folder.file("Launch.txt"));
    app.forms.form1.onQueryEndSession();
    EXPECT_TRUE(platform.sessionEndBlockedFor.has_value()) << "Windows waits for the saves";
    app.forms.form1.onEndSession();
    EXPECT_TRUE(platform.messages.empty()) << "no question, no failure message";
    EXPECT_EQ(writtenNames(),
              (std::vector<std::string>{"ClipBoad.txt", "vane.ini", "WordList2.txt"}));
    EXPECT_EQ(platform.trayIconShownAtWrites, std::vector<bool>(3, true))
        << "saved before the tray icon and the windows go";
    EXPECT_FALSE(platform.sessionEndBlockedFor.has_value()) << "allowed again once written";
    EXPECT_TRUE(platform.exited);
}

// An installer run with /S asks the program to quit: nobody answers a
// question, so a changed word list is saved without one, as at the
// session's end, and the program ends.
TEST_F(Shutdown, TheInstallersQuitRequestSavesWithoutAsking) {
    setConfirm(true);
    start();
    app.lists.wordListChanged[1] = true;
    app.forms.form1.onQuitRequest();
    EXPECT_TRUE(platform.messages.empty()) << "no save question";
    EXPECT_EQ(writtenNames(), (std::vector<std::string>{"Launch.txt", "ClipBoad.txt", "vane.ini",
                                                        "WordList2.txt"}));
    EXPECT_TRUE(platform.exited);
}

TEST_F(Shutdown, AListThatWasNotReadIsNeverWritten) {
    // Launch.txt declares more words than it holds: reading stops there, so
    // neither it nor the clipboard list is written back, and the settings
    // keep the clipboard history enabled.
    auto launch = listFile(u"ランチャー", {{{u"a", u"1"}}});
    launch[7] = u"2";
    folder.write("Launch.txt", launch);
    const auto launchBytes = folder.bytes("Launch.txt");
    const auto clipBytes = folder.bytes("ClipBoad.txt");
    ASSERT_TRUE(app.shell.Form_Load());
    ASSERT_EQ(app.lists.loadedListCount, 0);
    app.lists.wordListChanged[0] = true;
    app.shell.mnuExit_Click();
    EXPECT_EQ(writtenNames(), std::vector<std::string>{"vane.ini"});
    EXPECT_EQ(folder.bytes("Launch.txt"), launchBytes);
    EXPECT_EQ(folder.bytes("ClipBoad.txt"), clipBytes);
    EXPECT_EQ(folder.lines("vane.ini")[1].substr(0, 5), u"True/");
    EXPECT_EQ(messageTexts().size(), 2u)
        << "the too-few-words message and the lists not read, no save question";
}

TEST_F(Shutdown, ChangesToAListWithTooFewWordsGoToACopyAndTheUserIsTold) {
    auto list = listFile(u"短い", {{{u"a", u"1"}}});
    list[7] = u"2";
    folder.write("WordList1.txt", list);
    const auto original = folder.bytes("WordList1.txt");
    ASSERT_TRUE(app.shell.Form_Load());
    ASSERT_EQ(app.lists.listNames[2], u"短い") << "offered in the menu";
    app.completion.switchList(2, u"短い");
    ASSERT_TRUE(app.lists.addWord(2, -1, u"added", u"kept"));
    platform.messageAnswers.push_back(kIdYes);
    app.shell.mnuExit_Click();
    EXPECT_EQ(folder.bytes("WordList1.txt"), original);
    EXPECT_EQ(messageTexts().back(),
              u"WordList1.txtは起動時に読み込みに失敗したため、上書きしませんでした。\r\n"
              u"変更はWordList1_未保存.txtに書き出しました。");
    const auto copy = folder.lines("WordList1_未保存.txt");
    ASSERT_GE(copy.size(), 2u);
    EXPECT_EQ(std::vector<std::u16string>(copy.end() - 2, copy.end()),
              (std::vector<std::u16string>{u"added", u"kept"}));
}

// The tray menu's start at sign-in sets and removes this program's Run
// value; one that starts another copy is replaced only after a question.
TEST_F(Shutdown, TheTrayMenuSetsTheStartAtSignInForThisProgram) {
    start();
    FakeSession user(platform, app);
    auto& item = app.forms.form1.mnuModeMenu.mnuStartAtSignIn;
    user.trayIcon(kTrayRightButtonUp);
    EXPECT_TRUE(item.visible());
    EXPECT_FALSE(item.checked());
    ASSERT_TRUE(user.chooseMenuItem(u"Windows の起動時に開始"));
    EXPECT_EQ(platform.signIn, u"\"" + platform.programPath() + u"\"");
    user.trayIcon(kTrayRightButtonUp);
    EXPECT_TRUE(item.checked());
    ASSERT_TRUE(user.chooseMenuItem(u"Windows の起動時に開始"));
    EXPECT_EQ(platform.signIn, std::nullopt);

    platform.signIn = u"\"D:\\old\\wordvane.exe\"";
    user.trayIcon(kTrayRightButtonUp);
    EXPECT_FALSE(item.checked()) << "another copy";
    platform.messageAnswers.push_back(kIdNo);
    ASSERT_TRUE(user.chooseMenuItem(u"Windows の起動時に開始"));
    EXPECT_EQ(platform.signIn, u"\"D:\\old\\wordvane.exe\"");
    EXPECT_EQ(messageTexts().size(), 1u);
}

TEST_F(Shutdown, AFailedSaveTellsTheUserAndKeepsTheOldFile) {
    const auto launch = folder.bytes("Launch.txt");
    start();
    app.lists.wordLists[0].addNewString(u"added", u"C:\\");
    platform.failingWrites.insert(folder.file("Launch.txt"));
    app.shell.mnuExit_Click();
    EXPECT_EQ(messageTexts(),
              std::vector<std::u16string>{u"ファイルLaunch.txtを保存できませんでした。\r\n"
                                          u"保存先のファイルは変更されていません。"});
    EXPECT_EQ(platform.messages[0].style, kMbIconExclamation);
    EXPECT_EQ(folder.bytes("Launch.txt"), launch);
    EXPECT_EQ(writtenNames(), (std::vector<std::string>{"ClipBoad.txt", "vane.ini"}));
}

TEST_F(Shutdown, AnInterruptedWriteLeavesTheOldFileWhole) {
    const auto before = folder.bytes("Launch.txt");
    std::filesystem::create_directory(folder.path() + "/Launch.txt.saving");
    EXPECT_EQ(platform.writeFile(folder.file("Launch.txt"), "new content"), FileWrite::Failed);
    EXPECT_EQ(folder.bytes("Launch.txt"), before);
}

TEST_F(Shutdown, SaveAsWritesTheCurrentListAndClearsItsChangedFlag) {
    start();
    FakeSession user(platform, app);
    user.listHotkey(3);
    app.lists.wordListChanged[1] = true;
    platform.saveDialogAnswer = folder.file("notes");
    app.listCommands.mnuSave_Click();
    EXPECT_EQ(folder.lines("notes.txt")[0], u"単語2");
    EXPECT_FALSE(app.lists.wordListChanged[1]);
    platform.saveDialogAnswer = folder.file("notes.md");
    app.listCommands.mnuSave_Click();
    EXPECT_TRUE(folder.exists("notes.md"));
    EXPECT_FALSE(folder.exists("notes.md.txt"));

    platform.saveDialogAnswer = std::nullopt;
    app.listCommands.mnuSave_Click();
    platform.saveDialogAnswer = folder.file("locked.txt");
    platform.failingWrites.insert(folder.file("locked.txt"));
    app.listCommands.mnuSave_Click();
    EXPECT_EQ(messageTexts(),
              std::vector<std::u16string>{u"ファイルlocked.txtを保存できませんでした。\r\n"
                                          u"保存先のファイルは変更されていません。"});
    app.shell.Form_QueryUnload();
    EXPECT_EQ(writtenNames().back(), "vane.ini") << "the saved list is not written again at exit";
}

TEST_F(Shutdown, TheTrayIconsRightButtonOpensTheModeMenuWithExit) {
    start();
    FakeSession user(platform, app);
    user.listHotkey(2);
    user.tick();
    user.type(u"ab");
    user.tick(3);
    ASSERT_EQ(app.completion.openWord(), 0) << "word ab is open";
    ASSERT_TRUE(app.forms.form1.visible());
    platform.cursor = {300, 200};
    user.trayIcon(kTrayRightButtonUp);
    EXPECT_EQ(platform.poppedMenus, std::vector<std::u16string>{u"モード"});
    EXPECT_EQ(platform.menuPlace, (Point{300, 200})) << "opened by the mouse: at the pointer";
    auto& menu = app.forms.form1.mnuModeMenu;
    EXPECT_TRUE(menu.mnuExit.visible());
    EXPECT_TRUE(menu.mnuPopText.visible());
    EXPECT_EQ(app.completion.typedText(), u"");
    EXPECT_EQ(app.completion.openWord(), -1);
    EXPECT_EQ(platform.foreground, app.forms.form1.handle());
    EXPECT_FALSE(app.forms.form1.visible());

    app.shell.Form_MouseMove(0, 0, 512 * 15, 0);
    EXPECT_FALSE(app.completion.reshowListPending()) << "mere mouse moves are ignored";
    app.shell.Form_MouseMove(0, 0, kTrayLeftButtonUp * 15, 0);
    EXPECT_TRUE(app.completion.reshowListPending()) << "the next tick shows the current list";
    EXPECT_EQ(platform.poppedMenus.size(), 1u);

    platform.trayAnchor = Point{1850, 1060};  // Win+B, then the context-menu key
    user.trayIcon(kTrayRightButtonUp);
    EXPECT_EQ(platform.menuPlace, (Point{1850, 1060})) << "opened from the keyboard: at the icon";

    menu.mnuExit.click();
    EXPECT_TRUE(platform.exited);
}

// The saves after a change write on another thread: a file held by a sync
// client holds neither the hotkeys nor the key reading. They wait while the
// list is shown; a change made while they write is saved at a later look;
// the exit waits for them before its own saves.
TEST_F(Shutdown, SavesAfterAChangeWriteInTheBackgroundAndExitWaitsForThem) {
    start();
    FakeSession user(platform, app);
    platform.writesLater = true;
    const auto wordList2 = folder.bytes("WordList2.txt");
    app.lists.settings.confirmSaveOnExit = false;
    user.copy(u"first copy");
    user.listHotkey(2);
    user.tick(1100);
    EXPECT_FALSE(platform.backgroundDone) << "not while the list is shown";
    user.press(kVkEscape);
    user.tick(1100);
    ASSERT_TRUE(platform.backgroundDone);
    EXPECT_TRUE(platform.writtenFiles.empty()) << "the writes are under way";
    user.copy(u"second copy");
    user.listHotkey(2);
    user.tick();
    EXPECT_TRUE(app.forms.form1.visible()) << "the hotkeys still answer";
    user.press(kVkEscape);
    platform.runBackgroundWrites();
    EXPECT_NE(folder.bytes("ClipBoad.txt").find("first copy"), std::string::npos);
    EXPECT_EQ(folder.bytes("ClipBoad.txt").find("second copy"), std::string::npos);
    EXPECT_EQ(folder.bytes("WordList2.txt"), wordList2) << "an unchanged word list is not written";
    user.tick(1100);
    ASSERT_TRUE(platform.backgroundDone) << "the later change gets its own save";
    app.shell.mnuExit_Click();
    EXPECT_NE(folder.bytes("ClipBoad.txt").find("second copy"), std::string::npos);
    EXPECT_TRUE(platform.exited);
}

}  // namespace
}  // namespace wordvane::test
