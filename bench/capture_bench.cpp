// One clipboard capture into a full 1000-entry history (the duplicate check
// over every entry and the rotation that drops the oldest), against a bare
// baseline in the same run: compare the new text with 1000 stored texts (as
// views, lengths first) and move 1000 strings by one place.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/app.h"
#include "platform/fake/fake_platform.h"

namespace wordvane {
namespace {

constexpr int kHistory = 1000;
// Twice the history: a text comes back only after it has dropped out.
constexpr int kTexts = 2 * kHistory;

// Copied texts of a typical length (40 to 100 characters), all different
// and all sharing a long prefix, so that no comparison ends at once.
std::vector<std::u16string> copiedTexts() {
    std::vector<std::u16string> texts;
    for (int i = 0; i < kTexts; ++i) {
        std::u16string text = u"https://example.com/documents/project/";
        text += std::u16string(static_cast<size_t>(i % 60), u'x');
        for (int n = i; n > 0; n /= 10) {
            text += static_cast<char16_t>(u'0' + n % 10);
        }
        texts.push_back(std::move(text));
    }
    return texts;
}

struct FullHistory {
    FakePlatform platform{"/nonexistent"};
    App app{platform};
    std::vector<std::u16string> texts = copiedTexts();
    size_t next = 0;

    FullHistory() {
        Settings& settings = app.lists.settings;
        settings.listEnabled = {true, true};
        settings.clipHistorySize = kHistory;
        settings.clipMaxBytes = 100000;
        settings.separatorInterval = -1;
        WordListClass& words = app.lists.words(kClipboardList);
        words.addNewString(u"保管庫", u"");
        words.addNewString(u"固定", u"fixed");
        for (int w = 2; w < kHistory; ++w) {
            words.addNewString(u"", u"まだ入っていません。");
        }
        app.lists.loadedListCount = 7;
        app.completion.initialise();
        app.completion.startOn(2);
        // Fill the history so that every capture drops an entry.
        for (int i = 0; i < kHistory; ++i) {
            capture();
        }
    }

    void capture() {
        platform.clipboard = texts[next];
        ++platform.clipboardChanges;
        next = (next + 1) % texts.size();
        app.capture.checkClipboad();
    }
};

void BM_CaptureIntoFullHistory(benchmark::State& state) {
    FullHistory history;
    for (auto _ : state) {
        history.capture();
    }
    const WordListClass& words = history.app.lists.words(kClipboardList);
    const size_t newest = (history.next + kTexts - 1) % kTexts;
    if (words.getString(2, 0, 1) != history.texts[newest] ||
        words.getString(kHistory - 1, 0, 1) != history.texts[(newest + kTexts - 997) % kTexts]) {
        state.SkipWithError("the capture did not store the text at the top");
    }
}
BENCHMARK(BM_CaptureIntoFullHistory)->Unit(benchmark::kMicrosecond);

// The least any capture does: take the text, compare it with every stored
// text, move every stored text one place and put the new one first.
void BM_BareCompareAndMoveBaseline(benchmark::State& state) {
    const std::vector<std::u16string> texts = copiedTexts();
    std::vector<std::u16string> stored(texts.begin(), texts.begin() + kHistory);
    size_t next = kHistory;
    for (auto _ : state) {
        std::u16string text = texts[next];
        next = (next + 1) % texts.size();
        const std::u16string_view wanted = text;
        const bool known = std::any_of(stored.begin(), stored.end(), [wanted](const auto& stored) {
            return std::u16string_view(stored) == wanted;
        });
        benchmark::DoNotOptimize(known);
        std::rotate(stored.rbegin(), stored.rbegin() + 1, stored.rend());
        stored.front() = std::move(text);
    }
}
BENCHMARK(BM_BareCompareAndMoveBaseline)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace wordvane
