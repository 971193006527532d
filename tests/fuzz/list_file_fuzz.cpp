// Any bytes as a list file: the reader never crashes, and whatever it reads
// completely is written in a form that reads back to the same file.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lists/cp932.h"
#include "lists/list_file_format.h"
#include "lists/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wordvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ListHeader header;
    WordListClass list;
    const auto outcome = parseListFile(splitLines(decodeCp932(bytes)), header, list);
    if (outcome.failure != ListReadFailure::None) {
        return 0;
    }
    const auto written = formatListFile(header, list);
    ListHeader header2;
    WordListClass list2;
    if (parseListFile(written, header2, list2).failure != ListReadFailure::None ||
        formatListFile(header2, list2) != written) {
        std::abort();
    }
    return 0;
}
