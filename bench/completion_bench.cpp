// One keystroke at the word level of the largest list a file allows, and one
// idle tick of the core.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/app.h"
#include "completion/candidate_list.h"
#include "completion/main_tick.h"
#include "completion/select_word.h"
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
        app.lists.currentList = 2;
        app.lists.startChar(2) = u";";
        app.lists.elementKey(2) = u"あ";
        app.lists.cancelKeyLine(2) = u"い";
        app.completion.cancelKeys.fill(u"う");
    }
};

void BM_KeystrokeAtWordLevelOfLargestList(benchmark::State& state) {
    LargeListProgram program;
    App& app = program.app;
    app.completion.typedText = u"w";
    showList(app);
    for (auto _ : state) {
        app.completion.typedText.clear();
        std::u16string spelling = u"w";
        selectWord(app, spelling);
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
        Timer1_Timer(program.app);
    }
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace wordvane
