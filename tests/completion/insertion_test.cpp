
#include <gtest/gtest.h>

#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

using Keys = std::vector<std::pair<int, bool>>;

const Keys kPlainPaste{{kVkControl, false}, {kVkV, false},     {kVkV, true},
                       {kVkControl, true},  {kVkShift, false}, {kVkShift, true}};

class Inserting : public CompletionTest {
  protected:
    // The keys an insertion sends while the user holds `held`, before and
    // after `ticks` main ticks.
    Keys insertWhileHolding(std::initializer_list<int> held, int ticks) {
        platform.keysDown = held;
        platform.sentKeys.clear();
        app.insertion.clipInsert(u"text");
        user.tick(ticks);
        return platform.sentKeys;
    }
};

// The keys wait for the list hotkey's Ctrl, Alt and Shift to go up: with
// them down the paste would be another shortcut (Ctrl+Alt+Shift+V), and a
// Shift tap under Ctrl switches the keyboard layout.
TEST_F(Inserting, ThePasteWaitsForTheUsersModifiersToGoUp) {
    start();
    EXPECT_EQ(insertWhileHolding({}, 1), kPlainPaste) << "nothing held: at once";
    EXPECT_TRUE(insertWhileHolding({kVkControl, kVkMenu, kVkShift}, 50).empty());
    platform.keysDown.clear();
    user.tick();
    EXPECT_EQ(platform.sentKeys, kPlainPaste);
}

TEST_F(Inserting, ModifiersHeldPastASecondMakeNoOtherShortcut) {
    start();
    EXPECT_EQ(insertWhileHolding({kVkControl}, 101), (Keys{{kVkV, false}, {kVkV, true}}))
        << "the user's own Ctrl pastes, with no Shift tap";
    EXPECT_EQ(insertWhileHolding({kVkShift}, 101), (Keys{{kVkShift, true},
                                                         {kVkControl, false},
                                                         {kVkV, false},
                                                         {kVkV, true},
                                                         {kVkControl, true}}))
        << "Shift is released first";
}

TEST_F(Inserting, TheUsersClipboardComesBackUnlessTheyCopiedMeanwhile) {
    start();
    user.copy(u"before");
    app.insertion.clipInsert(u"inserted");
    EXPECT_EQ(platform.clipboard, u"inserted");
    user.tick(31);
    EXPECT_EQ(platform.clipboard, u"before");
    EXPECT_FALSE(app.forms.form2.Timer1.enabled());

    app.insertion.clipInsert(u"again");
    user.tick(10);
    user.copy(u"copied by the user");
    user.tick(25);
    EXPECT_EQ(platform.clipboard, u"copied by the user") << "a copy within 300 ms is kept";
    EXPECT_FALSE(app.forms.form2.Timer1.enabled());
}

// A target that reads the clipboard late (a remote desktop, a busy
// application) still pastes the entry: the user's clipboard waits until the
// text was taken, at most three seconds.
TEST_F(Inserting, TheUsersClipboardWaitsUntilTheApplicationTookTheText) {
    start();
    user.pasteDelayMs = 1000;
    user.copy(u"my password");
    app.insertion.clipInsert(u"entry");
    user.tick(60);
    EXPECT_EQ(platform.clipboard, u"entry") << "not taken yet";
    user.tick(45);
    EXPECT_EQ(user.applicationText(), u"entry");
    user.tick(30);
    EXPECT_EQ(platform.clipboard, u"my password");

    user.pasteDelayMs = 100000;  // a target that never reads it
    app.insertion.clipInsert(u"lost");
    user.tick(290);
    EXPECT_EQ(platform.clipboard, u"lost");
    user.tick(31);
    EXPECT_EQ(platform.clipboard, u"my password") << "back after three seconds at most";
}

// The portable formats come back byte for byte; a spreadsheet's own and OLE
// formats are never asked for, so their owner never has to render them.
TEST_F(Inserting, ThePortableFormatsComeBackAndAnEmptyClipboardStaysEmpty) {
    start();
    const std::string image("BM\0\x01\xff", 5);
    platform.clipboard.reset();
    platform.clipboardFormats = {{8, image},
                                 {0xC0F1, "Version:0.9\r\n<b>x</b>"},
                                 {0xC0F2, std::string(1000, 'b')},
                                 {0xC0F3, "ole"}};
    platform.clipboardFormatNames = {
        {0xC0F1, u"HTML Format"}, {0xC0F2, u"Biff12"}, {0xC0F3, u"Embed Source"}};
    app.insertion.clipInsert(u"inserted");
    EXPECT_EQ(platform.formatsRendered, (std::vector<uint32_t>{8, 0xC0F1}));
    EXPECT_TRUE(platform.clipboardFormats.empty());
    user.tick(31);
    EXPECT_EQ(platform.clipboardFormats,
              (std::map<uint32_t, std::string>{{8, image}, {0xC0F1, "Version:0.9\r\n<b>x</b>"}}));
    EXPECT_FALSE(platform.clipboard.has_value()) << "no text appears that was not there";

    platform.clipboardFormats.clear();
    app.insertion.clipInsert(u"inserted");
    user.tick(31);
    EXPECT_FALSE(platform.clipboard.has_value()) << "an empty clipboard is emptied again";
    EXPECT_TRUE(platform.clipboardFormats.empty());
}

// An elevated application refuses the program's keys: the insertion stops
// there and the user's clipboard is back at once.
TEST_F(Inserting, RefusedKeystrokesEndTheInsertionAndRestoreTheClipboardAtOnce) {
    start();
    user.copy(u"mine");
    platform.keystrokeLimit = 3;
    EXPECT_FALSE(app.insertion.clipInsert(u"inserted", 2));
    EXPECT_EQ(platform.sentKeys.size(), 3u) << "one sequence, cut short by the system";
    EXPECT_EQ(platform.clipboard, u"mine");
    EXPECT_FALSE(app.forms.form2.Timer1.enabled());
}

TEST_F(Inserting, ASecondInsertionWithinTheDelayKeepsTheUsersText) {
    start();
    user.copy(u"the user's");
    ASSERT_TRUE(app.insertion.clipInsert(u"first"));
    user.tick(10);
    ASSERT_TRUE(app.insertion.clipInsert(u"second"));
    user.tick(25);
    EXPECT_EQ(platform.clipboard, u"second") << "300 ms count from the second insertion";
    user.tick(10);
    EXPECT_EQ(platform.clipboard, u"the user's");
}

// Two insertions into a target that reads late arrive in order: the second
// text is offered only once the first was read.
TEST_F(Inserting, InsertionsIntoATargetThatReadsLateArriveInOrder) {
    start();
    user.pasteDelayMs = 500;
    user.copy(u"mine");
    app.insertion.clipInsert(u"first ");
    user.tick(2);
    app.insertion.clipInsert(u"second");
    user.tick(200);
    EXPECT_EQ(user.applicationText(), u"first second");
    EXPECT_EQ(platform.clipboard, u"mine");
}

// Quitting right after an insertion: the target still reads the entry and
// the user's clipboard is back before the process ends.
TEST_F(Inserting, QuittingCompletesThePasteUnderWay) {
    start();
    user.pasteDelayMs = 800;
    user.copy(u"mine");
    app.insertion.clipInsert(u"one ");
    app.insertion.clipInsert(u"two");
    app.shell.quitWithoutQuestions();
    EXPECT_TRUE(platform.exited);
    EXPECT_EQ(user.applicationText(), u"one two");
    EXPECT_EQ(platform.clipboard, u"mine");
}

// mintty, PuTTY and KiTTY give Ctrl+V to the program in them; they paste on
// Shift+Insert. The console and Windows Terminal take Ctrl+V.
TEST_F(Inserting, TerminalsThatPasteOnShiftInsertGetTheirKeys) {
    start();
    for (const std::u16string terminal : {u"mintty", u"PuTTY", u"ConsoleWindowClass"}) {
        SCOPED_TRACE(std::string(terminal.begin(), terminal.end()));
        platform.windowClasses[platform.foreground] = terminal;
        user.forgetRecords();
        app.insertion.clipInsert(u"ls", 1);
        user.tick(31);
        EXPECT_EQ(user.applicationText(), u"ls");
        const bool shiftInsert =
            platform.sentKeys.size() > 4 && platform.sentKeys[5].first == kVkInsert;
        EXPECT_EQ(shiftInsert, terminal != u"ConsoleWindowClass");
    }
}

TEST_F(Inserting, ABusyClipboardTypesNothingAndKeepsTheAbbreviation) {
    auto list = listFile(u"English", {{{u"because", u"reason"}}}, u":");
    list[4] = u"true";
    list[5] = u"reverse";
    start(list);
    user.copy(u"the user's");
    user.type(u":bec");
    platform.clipboardBusy = true;
    platform.sentKeys.clear();
    user.hotkey(u"tab");
    EXPECT_TRUE(platform.sentKeys.empty()) << "no Left, Delete or paste";
    EXPECT_EQ(user.applicationText(), u":bec");
    EXPECT_TRUE(app.forms.form1.visible()) << "the list is there to try again";
    platform.clipboardBusy = false;
    user.hotkey(u"tab");
    EXPECT_EQ(user.applicationText(), u":reason");
    user.tick(31);
    EXPECT_EQ(platform.clipboard, u"the user's");
}

TEST_F(Inserting, BackspacesAreLeftAndDeletePairs) {
    start();
    app.insertion.setBackSpace(2);
    EXPECT_EQ(platform.sentKeys, (Keys{{kVkLeft, false},
                                       {kVkLeft, true},
                                       {kVkDelete, false},
                                       {kVkDelete, true},
                                       {kVkLeft, false},
                                       {kVkLeft, true},
                                       {kVkDelete, false},
                                       {kVkDelete, true}}));
    platform.sentKeys.clear();
    app.insertion.setBackSpace(0);
    EXPECT_FALSE(app.insertion.clipInsert(u""));
    EXPECT_TRUE(platform.sentKeys.empty());
}

TEST(CheckLink, PathsAndHttpAddressesAreLinks) {
    EXPECT_TRUE(checkLink(u"C:\\temp"));
    EXPECT_TRUE(checkLink(u"z:\\"));
    EXPECT_TRUE(checkLink(u"\\\\server\\share"));
    EXPECT_TRUE(checkLink(u"\\ab"));
    EXPECT_TRUE(checkLink(u"http://example.com"));
    EXPECT_FALSE(checkLink(u"https://example.com"));
    EXPECT_FALSE(checkLink(u"\\a"));
    EXPECT_FALSE(checkLink(u"C:\\a\r\nb"));
    EXPECT_FALSE(checkLink(u"1:\\temp"));
    EXPECT_FALSE(checkLink(u"C:/temp"));
}

}  // namespace
}  // namespace wordvane::test
