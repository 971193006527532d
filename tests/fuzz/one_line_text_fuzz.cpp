// Any text made one line and back is the same text, its line breaks as CR LF;
// the one-line form holds no line break.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_text.h"
#include "lists/one_line_text.h"

namespace {

// Lone CR and lone LF become CR LF, as the one-line form writes every break.
std::u16string withCrLf(const std::u16string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            out += u"\r\n";
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wordvane;
    const std::u16string text = fuzzText(data, size);
    const std::u16string line = getChangedLine2(text);
    if (line.find_first_of(u"\r\n") != std::u16string::npos ||
        getChangedLine(line) != withCrLf(text)) {
        std::abort();
    }
    (void)getChangedLine(text);
    return 0;
}
