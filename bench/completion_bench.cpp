// One keystroke at the word level of the largest list a file allows, and one
// idle tick of the core.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/app.h"
#include "platform/fake/fake_platform.h"

namespace wordvane {
namespace {

constexpr int kLargestList = 32767;

// A program with word list 1 holding the largest number of words, all of
// which begin with "w", so that every keystroke refills the whole list.
struct LargeListProgram {
    FakePlatform platform{"/nonexistent"};
    App app{platform};

    LargeListProgram() {
        WordListClass& words = app.lists.wordLists[2];
        for (int w = 0; w < kLargestList; ++w) {
            char name[16];
            std::snprintf(name, sizeof(name), "w%05d", w);
            words.addNewString(std::u16string(name, name + 6), u"description");
        }
        app.lists.loadedListCount = 7;
        app.lists.startChar(2) = u";";
        app.lists.elementKey(2) = u"あ";
        app.lists.cancelKeyLine(2) = u"い";
        app.completion.initialise();
        app.completion.startOn(2);
        app.completion.separateString(2, u"い");
    }

    void press(std::u16string spelling) { app.completion.selectWord(spelling); }
};

// Each iteration is one keystroke: "w" and Backspace by turns, so that the
// abbreviation goes between "" and "w" and every word stays listed.
void BM_KeystrokeAtWordLevelOfLargestList(benchmark::State& state) {
    LargeListProgram program;
    App& app = program.app;
    program.press(u";");
    bool typed = false;
    for (auto _ : state) {
        program.press(typed ? u"backspace" : u"w");
        typed = !typed;
        benchmark::DoNotOptimize(app.forms.form1.List1.listCount());
    }
    if (app.forms.form1.List1.listCount() != kLargestList || !app.forms.form1.visible()) {
        state.SkipWithError("the keystroke did not list every word");
    }
}
BENCHMARK(BM_KeystrokeAtWordLevelOfLargestList)->Unit(benchmark::kMicrosecond);

void BM_IdleTick(benchmark::State& state) {
    LargeListProgram program;
    for (auto _ : state) {
        program.app.mainTick.Timer1_Timer();
    }
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace wordvane
