// Any text made one line and back is the same text, its line breaks as CR LF;
// the one-line form holds no line break.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz_text.h"
#include "lists/one_line_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wordvane;
    const std::u16string text = fuzzText(data, size);
    const std::u16string line = getChangedLine2(text);
    if (line.find_first_of(u"\r\n") != std::u16string::npos ||
        getChangedLine(line) != withLineBreaksAs(text, u"\r\n")) {
        std::abort();
    }
    (void)getChangedLine(text);
    return 0;
}
