// One keystroke at the word level of the largest list a file allows, and one
// idle tick of the core.

#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/app.h"
#include "completion/list_search.h"
#include "platform/fake/fake_platform.h"
#include "util/text_mapping.h"

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

// The largest list with two elements to each word and Japanese in every
// description, for the search.
struct LargeSearchedList : LargeListProgram {
    LargeSearchedList() {
        WordListClass& words = app.lists.wordLists[2];
        for (int w = 0; w < kLargestList; ++w) {
            char number[16];
            std::snprintf(number, sizeof(number), "%05d", w);
            const std::u16string n(number, number + 5);
            const auto word = static_cast<int16_t>(w);
            words.changeString(word, 0, words.getString(word, 0, 0), u"ﾒﾓ 番号 number " + n);
            words.addNewWord(word, u"apple " + n, u"りんご red fruit");
            words.addNewWord(word, u"apricot " + n, u"アンズ orange fruit");
        }
    }
};

const std::u16string kQueries[] = {u"ＮＵＭＢＥＲ 1234", u"めも 番号 number 2345"};

// One keystroke in the search box: the query folded, the entries scanned and
// the list refilled with the matches (10 of them).
void BM_SearchKeystrokeInLargestList(benchmark::State& state) {
    LargeSearchedList program;
    App& app = program.app;
    program.press(u";");
    app.completion.openSearchBox();
    size_t i = 0;
    for (auto _ : state) {
        app.completion.setSearchText(kQueries[i++ % 2]);
        benchmark::DoNotOptimize(app.forms.form1.List1.listCount());
    }
    if (app.forms.form1.List1.listCount() != 10) {
        state.SkipWithError("the search did not find the 10 words");
    }
}
BENCHMARK(BM_SearchKeystrokeInLargestList)->Unit(benchmark::kMicrosecond);

// The baseline: the same texts folded beforehand, a folded query found in
// each of them.
void BM_BareFoldedScanOfTheSameTexts(benchmark::State& state) {
    LargeSearchedList program;
    const WordListClass& words = program.app.lists.wordLists[2];
    std::vector<std::u16string> texts;
    for (int w = 0; w <= words.getWordLength(); ++w) {
        std::u16string text;
        const auto word = static_cast<int16_t>(w);
        for (int e = 0; e <= words.getElementLength(word); ++e) {
            const auto element = static_cast<int16_t>(e);
            text.append(words.peekString(word, element, 0)) += u'\0';
            text.append(words.peekString(word, element, 1)) += u'\0';
        }
        texts.push_back(foldForSearch(program.platform, text));
    }
    const std::u16string queries[] = {foldForSearch(program.platform, kQueries[0]),
                                      foldForSearch(program.platform, kQueries[1])};
    size_t i = 0;
    size_t found = 0;
    for (auto _ : state) {
        const std::u16string& query = queries[i++ % 2];
        found = 0;
        for (const std::u16string& text : texts) {
            found += text.find(query) != std::u16string::npos ? 1 : 0;
        }
        benchmark::DoNotOptimize(found);
    }
    if (found != 10) {
        state.SkipWithError("the scan did not find the 10 words");
    }
}
BENCHMARK(BM_BareFoldedScanOfTheSameTexts)->Unit(benchmark::kMicrosecond);

void BM_IdleTick(benchmark::State& state) {
    LargeListProgram program;
    for (auto _ : state) {
        program.app.mainTick.Timer1_Timer();
    }
}
BENCHMARK(BM_IdleTick)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace wordvane
