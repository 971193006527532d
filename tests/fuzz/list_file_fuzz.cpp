// Any bytes as a list file: the reader never crashes, whatever encoding the
// bytes show, reads the text as it reads the same lines one by one, and
// whatever it reads completely is written in a form (and an encoding) that
// reads back to the same file. The list writer's bytes, formatted straight
// into code page 932, are those of its text encoded.

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "fuzz_text.h"
#include "lists/list_file_format.h"
#include "lists/text_file.h"
#include "platform/fake/fake_platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wordvane;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ListHeader header;
    WordListClass list;
    const DecodedText decoded = decodeText(bytes);
    const auto outcome = parseListFile(decoded.text, header, list);
    // Read line by line, the same lines make the same list.
    ListHeader headerOfLines;
    WordListClass listOfLines;
    const auto outcomeOfLines = parseListFile(splitLines(decoded.text), headerOfLines, listOfLines);
    if (outcomeOfLines.failure != outcome.failure || outcomeOfLines.cause != outcome.cause ||
        formatListText(headerOfLines, listOfLines) != formatListText(header, list)) {
        std::abort();
    }
    if (outcome.failure != ListReadFailure::None) {
        return 0;
    }
    const auto written = formatListFile(header, list);
    static const std::string folder = fuzzFolder("wordvane-list-fuzz");
    FakePlatform platform(folder);
    const std::u16string path = platform.programFolder() + u"list.txt";
    TextFileForm form{decoded.encoding, true, {}};
    ListHeader header2;
    WordListClass list2;
    TextFileForm direct = form;
    TextFileForm throughText = form;
    if (listFileBytes(header, list, direct) !=
            textFileBytes(formatListText(header, list), throughText) ||
        direct.encoding != throughText.encoding) {
        std::abort();
    }
    const auto file = writeTextLines(platform, path, written, form) == TextSave::Written
                          ? readTextLines(platform, path)
                          : std::nullopt;
    if (!file || !file->form.exact ||
        parseListFile(file->lines, header2, list2).failure != ListReadFailure::None ||
        formatListFile(header2, list2) != written) {
        std::abort();
    }
    return 0;
}
