#include "completion/key_reader.h"

#include <gtest/gtest.h>

#include <set>

#include "completion/held_keys.h"
#include "completion/ime_answers.h"
#include "platform/fake/fake_platform.h"

namespace wordvane {
namespace {

class KeyPolling : public ::testing::Test {
  protected:
    FakePlatform platform{"/nonexistent"};
    KeyReader reader;

    std::u16string poll(std::initializer_list<int> down) {
        platform.keysDown = down;
        return reader.getPushedSpell(platform);
    }
};

TEST_F(KeyPolling, AHeldKeyIsSpelledOnceAndAgainAfterRelease) {
    EXPECT_EQ(poll({'A'}), u"a");
    EXPECT_EQ(poll({'A'}), u"");
    EXPECT_EQ(poll({}), u"");
    EXPECT_EQ(poll({'A'}), u"a");
}

// The keys are asked only when one of them may have moved.
TEST_F(KeyPolling, IdlePollsAskNoKeyAndKeepThePreviousFindings) {
    EXPECT_EQ(poll({kVkShift}), u"");
    EXPECT_EQ(poll({}), u"");
    const size_t asked = platform.keyQuestions;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(reader.getPushedSpell(platform), u"");
    }
    EXPECT_EQ(platform.keyQuestions, asked);
    EXPECT_FALSE(reader.shiftDown());
    EXPECT_EQ(poll({'A'}), u"a");
    EXPECT_EQ(poll({'A'}), u"") << "a held key is asked again on every poll";
    EXPECT_GT(platform.keyQuestions, asked);
    platform.keysWatched = false;
    EXPECT_EQ(poll({}), u"");
    const size_t unwatched = platform.keyQuestions;
    reader.getPushedSpell(platform);
    EXPECT_GT(platform.keyQuestions, unwatched) << "unwatched keys are polled every time";
}

TEST_F(KeyPolling, OnlyTheLowestNewKeyIsSpelled) {
    EXPECT_EQ(poll({'A', 'B'}), u"a");
    EXPECT_EQ(poll({'A', 'B'}), u"") << "b was lost";
    EXPECT_EQ(poll({'A', 'B', 'C'}), u"c") << "only the newly pressed key counts";
}

TEST_F(KeyPolling, AKeyPressedAndReleasedBetweenPollsIsStillSeen) {
    platform.keysPressed = {'Q'};
    EXPECT_EQ(reader.getPushedSpell(platform), u"q");
}

TEST_F(KeyPolling, ShiftChoosesTheSecondSpellingAndControlIsNotPartOfIt) {
    EXPECT_EQ(poll({kVkShift, 'A'}), u"A");
    EXPECT_TRUE(reader.shiftDown());
    EXPECT_EQ(poll({kVkControl, 'C'}), u"c");
    EXPECT_TRUE(reader.ctrlDown());
    EXPECT_EQ(poll({kVkShift, 32}), u"ShiftSpace");
    EXPECT_EQ(poll({kVkShift, 103}), u"home");
    EXPECT_EQ(poll({kVkShift, 97}), u"end");
    EXPECT_EQ(poll({kVkShift, 105}), u"pageup");
    EXPECT_EQ(poll({kVkShift, 50}), u"\"");
    EXPECT_EQ(poll({kVkShift, 226}), u"_");
    EXPECT_EQ(poll({220}), u"\\");
    EXPECT_EQ(poll({kVkShift, 222}), u"~");
}

// AltGr (the right Alt, with the Ctrl the system adds) types a character on
// a German or Polish layout: typing, not a Ctrl+Alt shortcut. Ctrl+Alt from
// the left keys stays a shortcut.
TEST_F(KeyPolling, AltGrTypesTheLayoutsCharacter) {
    platform.altGrCharacters = {{{'Q', false}, u"@"}};
    EXPECT_EQ(poll({kVkControl, kVkMenu, kVkRightMenu, 'Q'}), u"@");
    EXPECT_FALSE(reader.spelledWithCommandKey());
    poll({});
    EXPECT_EQ(poll({kVkControl, kVkMenu, 'Q'}), u"q");
    EXPECT_TRUE(reader.spelledWithCommandKey());
    poll({});
    EXPECT_EQ(poll({kVkControl, kVkMenu, kVkRightMenu, 'W'}), u"w") << "no character there";
    EXPECT_TRUE(reader.spelledWithCommandKey());

    platform.recordKeyPresses = true;
    poll({});
    platform.keyPresses = {KeyPress{.virtualKey = 'Q', .ctrl = true, .alt = true, .altGr = true},
                           KeyPress{.virtualKey = 'Q', .ctrl = true, .alt = true}};
    EXPECT_EQ(reader.getPushedSpell(platform), u"@");
    EXPECT_FALSE(reader.spelledWithCommandKey());
    EXPECT_EQ(reader.getPushedSpell(platform), u"q");
    EXPECT_TRUE(reader.spelledWithCommandKey());
}

// A release the input never brought (an elevated window was in front) is
// taken from the keyboard once the foreground changes or the key has been
// silent for a second; a key the keyboard still holds stays held.
TEST(HeldKeysTest, AMissedReleaseIsForgottenOnceTheKeyboardSaysUp) {
    HeldKeys keys;
    std::set<int> keyboard{kVkControl, kVkShift};
    const auto up = [&](int key) { return !keyboard.contains(key); };
    keys.moved(kVkControl, false, 0);
    keys.moved(kVkShift, false, 0);
    EXPECT_TRUE(keys.moved(kVkShift, false, 900)) << "a repeat";
    keyboard.clear();
    keys.forgetReleased(up, false, 1500);
    EXPECT_FALSE(keys.held(kVkControl)) << "silent for a second and up";
    EXPECT_TRUE(keys.held(kVkShift)) << "it repeated 600 ms ago";
    keys.forgetReleased(up, true, 1500);
    EXPECT_FALSE(keys.held(kVkShift)) << "the foreground changed";

    keys.moved(kVkLeftWin, false, 2000);
    keyboard = {kVkLeftWin};
    keys.forgetReleased(up, true, 5000);
    EXPECT_TRUE(keys.held(kVkLeftWin)) << "still down on the keyboard";
}

// A window that does not answer in time keeps its last answer and is not
// asked again until another window has had the keyboard.
TEST(ImeAnswersTest, ATimeoutKeepsTheLastAnswerAndIsAskedOncePerWindowChange) {
    ImeAnswers answers;
    int asked = 0;
    std::optional<bool> reply = true;
    const auto ask = [&] {
        ++asked;
        return reply;
    };
    EXPECT_TRUE(answers.open(1, ask));
    reply.reset();
    EXPECT_TRUE(answers.open(1, ask)) << "a timeout is not \"off\"";
    EXPECT_TRUE(answers.open(1, ask));
    EXPECT_EQ(asked, 2) << "the silent window is not asked on every key";
    EXPECT_FALSE(answers.open(2, ask)) << "nothing known of this one";
    reply = false;
    EXPECT_FALSE(answers.open(1, ask)) << "asked again after the change";
    EXPECT_EQ(asked, 4);
}

TEST_F(KeyPolling, KeysWithoutASpellingGiveNothing) {
    EXPECT_EQ(poll({kVkShift, '0'}), u"");
    EXPECT_EQ(poll({kVkDelete}), u"");
    poll({});
    EXPECT_EQ(poll({kVkShift, kVkDelete}), u"Shiftdelete");
    EXPECT_EQ(poll({kVkHome}), u"") << "Home is not polled";
    EXPECT_EQ(poll({112}), u"") << "F1 is not polled";
}

TEST_F(KeyPolling, AHotkeysOwnKeyIsNotSpelledEvenWhenTheStateArrivesLate) {
    reader.suppressUntilReleased('1', platform.now);
    EXPECT_EQ(poll({}), u"") << "the key state has not caught up yet";
    EXPECT_EQ(poll({kVkShift, '1'}), u"");
    EXPECT_EQ(poll({kVkShift, '1', 'A'}), u"A") << "other keys are still read";
    EXPECT_EQ(poll({}), u"");
    EXPECT_EQ(poll({'1'}), u"1") << "after its release the key types again";

    reader.suppressUntilReleased('3', platform.now);
    EXPECT_EQ(poll({'3'}), u"");
    platform.now += 2000;
    EXPECT_EQ(poll({'3'}), u"") << "a key held for long still belongs to the hotkey";
    EXPECT_EQ(poll({}), u"");
    EXPECT_EQ(poll({'3'}), u"3");

    reader.suppressUntilReleased('2', platform.now);
    platform.now += 600;
    EXPECT_EQ(poll({'2'}), u"2") << "a suppression that never saw its key ends";
}

}  // namespace
}  // namespace wordvane
