// Reading and writing a list of the largest size a list file allows.

#include <benchmark/benchmark.h>

#include "lists/cp932.h"
#include "lists/decimal_text.h"
#include "lists/list_file_format.h"
#include "lists/text_file.h"

namespace wordvane {
namespace {

constexpr int kLargestList = 32767;

std::vector<std::u16string> largestListLines() {
    std::vector<std::u16string> lines{
        u"最大", u";", u"", u"", u"false", u"normal", u"middle", toDecimal(kLargestList), u"/"};
    for (int w = 0; w < kLargestList; ++w) {
        if (w > 0) {
            lines.emplace_back(u"/");
        }
        lines.push_back(u"word" + toDecimal(w));
        lines.emplace_back(u"説明\\nつづき");
        lines.push_back(u"候補" + toDecimal(w));
        lines.emplace_back(u"C:\\path\\to\\file");
    }
    return lines;
}

std::string asFileBytes(const std::vector<std::u16string>& lines) {
    std::u16string text;
    for (const auto& line : lines) {
        text += line + u"\r\n";
    }
    return encodeCp932(text);
}

// The program's read after the file's bytes are in memory: the encoding
// found, the text decoded, split into lines and parsed into the list.
void BM_ReadLargestListFile(benchmark::State& state) {
    const std::string bytes = asFileBytes(largestListLines());
    for (auto _ : state) {
        ListHeader header;
        WordListClass list;
        DecodedText decoded = decodeText(bytes);
        const auto outcome = parseListFile(std::move(decoded.text), header, list);
        benchmark::DoNotOptimize(outcome);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadLargestListFile)->Unit(benchmark::kMillisecond);

// The program's write up to the file: the list formatted and encoded, with
// the check that the bytes read back as the text.
void BM_WriteLargestListFile(benchmark::State& state) {
    ListHeader header;
    WordListClass list;
    parseListFile(largestListLines(), header, list);
    for (auto _ : state) {
        TextFileForm form;
        benchmark::DoNotOptimize(listFileBytes(header, list, form));
    }
}
BENCHMARK(BM_WriteLargestListFile)->Unit(benchmark::kMillisecond);

// The baselines: the bare code page 932 decode and encode of the same file.
void BM_BareDecodeOfLargestListFile(benchmark::State& state) {
    const std::string bytes = asFileBytes(largestListLines());
    for (auto _ : state) {
        benchmark::DoNotOptimize(decodeCp932(bytes));
    }
}
BENCHMARK(BM_BareDecodeOfLargestListFile)->Unit(benchmark::kMillisecond);

void BM_BareEncodeOfLargestListFile(benchmark::State& state) {
    const std::string bytes = asFileBytes(largestListLines());
    const std::u16string text = decodeCp932(bytes);
    for (auto _ : state) {
        benchmark::DoNotOptimize(encodeCp932(text));
    }
}
BENCHMARK(BM_BareEncodeOfLargestListFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wordvane
