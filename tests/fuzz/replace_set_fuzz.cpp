// Any three texts written as a replacement-set line read back as the same
// three texts (line breaks as CR LF), and no line makes the reader crash.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_text.h"
#include "lists/one_line_text.h"
#include "lists/replace_set_line.h"

namespace {

std::u16string expectedBack(const std::u16string& text) {
    return wordvane::getChangedLine(wordvane::getChangedLine2(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wordvane;
    const std::u16string text = fuzzText(data, size);
    (void)splitReplaceSetLine(text);

    const size_t a = text.size() / 3;
    const std::u16string fields[] = {text.substr(0, a), text.substr(a, a), text.substr(2 * a)};
    const auto back = splitReplaceSetLine(formatReplaceSetLine(fields[0], fields[1], fields[2]));
    if (!back) {
        std::abort();
    }
    for (int i = 0; i < 3; ++i) {
        if ((*back)[static_cast<size_t>(i)] != expectedBack(fields[i])) {
            std::abort();
        }
    }
    return 0;
}
