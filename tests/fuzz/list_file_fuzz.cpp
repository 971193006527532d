// Any bytes as a list file: the reader never crashes, whatever encoding the
// bytes show, and whatever it reads completely is written in a form (and an
// encoding) that reads back to the same file. The list writer's bytes,
// formatted straight into code page 932, are those of its text encoded.

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
    const auto outcome = parseListFile(splitLines(decoded.text), header, list);
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
