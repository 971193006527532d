#include "lists/text_file.h"

#include "lists/cp932.h"

namespace wordvane {

std::vector<std::u16string> splitLines(const std::u16string& text) {
    std::vector<std::u16string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') {
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

std::optional<std::vector<std::u16string>> readTextLines(Platform& platform,
                                                         const std::u16string& path) {
    const auto bytes = platform.readFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    return splitLines(decodeCp932(*bytes));
}

bool writeTextLines(Platform& platform, const std::u16string& path,
                    const std::vector<std::u16string>& lines) {
    std::u16string text;
    for (const auto& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return platform.writeFile(path, encodeCp932(text));
}

std::u16string fileNameOf(const std::u16string& path) {
    const size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace wordvane
