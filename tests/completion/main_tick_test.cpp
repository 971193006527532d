// The main tick sleeps while nothing can happen and wakes for the events
// that can matter; what the user sees does not change.

#include <gtest/gtest.h>

#include "support/completion_fixture.h"

namespace wordvane::test {
namespace {

TEST_F(CompletionTest, TheTickSleepsWhileNothingCanHappenAndWakesForEvents) {
    start();
    const auto ticksDuring = [&](int count) {
        const uint64_t before = user.mainTicks();
        user.tick(count);
        return user.mainTicks() - before;
    };
    const auto historyHolds = [&](const std::u16string& text) {
        const WordListClass& words = app.lists.words(kClipboardList);
        for (int16_t w = 1; w <= words.getWordLength(); ++w) {
            if (words.getString(w, 0, 1) == text) {
                return true;
            }
        }
        return false;
    };
    user.tick(100);  // start-up's first clipboard check
    EXPECT_EQ(ticksDuring(1000), 0u) << "idle: asleep";

    // A copy wakes it; the check takes the text at its usual tick, and the
    // history's save a few seconds later keeps it awake until then.
    user.copy(u"copied while asleep");
    user.tick(40);
    EXPECT_TRUE(historyHolds(u"copied while asleep"));
    user.tick(1100);
    EXPECT_NE(folder.bytes("ClipBoad.txt").find("copied while asleep"), std::string::npos);
    EXPECT_EQ(ticksDuring(500), 0u);

    // A key wakes it, and the shown list keeps it awake until it hides.
    user.type(u";a");
    EXPECT_FALSE(shownItems().empty());
    EXPECT_EQ(ticksDuring(300), 300u);
    user.press(kVkEscape);
    user.tick(5);
    EXPECT_FALSE(app.forms.form1.visible());
    EXPECT_EQ(ticksDuring(300), 0u);

    // A held key keeps it awake; so does a keyboard the platform no longer
    // tells of, which can only be polled.
    platform.keysDown.insert(kVkControl);
    EXPECT_EQ(ticksDuring(100), 100u);
    platform.keysDown.erase(kVkControl);
    user.tick(5);
    EXPECT_EQ(ticksDuring(100), 0u);
    platform.keysWatched = false;
    user.copy(u"a second copy");
    user.tick(1200);
    EXPECT_EQ(ticksDuring(100), 100u);
    user.type(u";a");
    EXPECT_EQ(shownItems().size(), 2u) << "typing goes on by polling";
}

}  // namespace
}  // namespace wordvane::test
