#include "lists/one_line_text.h"

#include <algorithm>

namespace wordvane {

std::u16string replaceAll(const std::u16string& text, const std::u16string& from,
                          const std::u16string& to) {
    if (from.empty()) {
        return text;
    }
    std::u16string result;
    size_t start = 0;
    for (size_t found = text.find(from); found != std::u16string::npos;
         found = text.find(from, start)) {
        result.append(text, start, found - start);
        result += to;
        start = found + from.size();
    }
    result.append(text, start, std::u16string::npos);
    return result;
}

std::u16string getChangedLine(std::u16string_view source) {
    std::u16string text(source);
    text.resize(changeLineInPlace(text.data(), text.size()));
    return text;
}

// One pass from the left: "\\" is one backslash before "\n" is looked for,
// so "\\n" is a backslash and n. Each escape of two characters becomes one
// or two, so the text is rewritten where it stands, the runs between
// backslashes moved whole.
size_t changeLineInPlace(char16_t* data, size_t size) {
    auto from = static_cast<size_t>(std::find(data, data + size, u'\\') - data);
    size_t to = from;
    while (from < size) {
        // data[from] is a backslash.
        const char16_t next = from + 1 < size ? data[from + 1] : u'\0';
        if (next == u'n') {
            data[to++] = u'\r';
            data[to++] = u'\n';
            from += 2;
        } else {
            data[to++] = u'\\';
            from += next == u'\\' ? 2 : 1;
        }
        size_t runEnd = from;
        while (runEnd < size && data[runEnd] != u'\\') {
            ++runEnd;
        }
        if (to != from) {
            std::copy(data + from, data + runEnd, data + to);  // to < from: a move left
        }
        to += runEnd - from;
        from = runEnd;
    }
    return to;
}

std::u16string withLineBreaksAs(std::u16string_view text, std::u16string_view lineBreak) {
    std::u16string result;
    result.reserve(text.size());
    appendWithLineBreaksAs(result, text, lineBreak);
    return result;
}

std::u16string getChangedLine2(std::u16string_view source) {
    std::u16string result;
    result.reserve(source.size());
    appendChangedLine2(result, source);
    return result;
}

}  // namespace wordvane
