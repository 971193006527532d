// Any bytes as vane.ini: the reader never crashes, and whatever it reads is
// written in a form that reads back and is written again byte for byte.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_text.h"
#include "lists/settings_file.h"
#include "platform/fake/fake_platform.h"

namespace {

// 175 %: a pixel is no whole number of twips.
constexpr wordvane::PixelScale kScale{168};

const std::string& folder() {
    static const std::string path = fuzzFolder("wordvane-settings-fuzz");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace wordvane;
    {
        std::ofstream file(folder() + "/vane.ini", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    FakePlatform platform(folder());
    const auto path = platform.programFolder() + u"vane.ini";
    const auto read = readSettingsFile(platform, path, kScale);
    if (!read.content) {
        return 0;
    }
    // Written out (whatever the encoding the bytes showed), the file reads
    // back to the same content and is written again byte for byte.
    TextFileForm form = read.form.forAnotherFile();
    if (writeSettingsFile(platform, path, *read.content, form) != TextSave::Written) {
        std::abort();
    }
    const auto written = platform.readFile(path);
    auto again = readSettingsFile(platform, path, kScale);
    if (!written || !again.content || !again.form.exact ||
        writeSettingsFile(platform, path, *again.content, again.form) != TextSave::Written ||
        platform.readFile(path) != written) {
        std::abort();
    }
    return 0;
}
