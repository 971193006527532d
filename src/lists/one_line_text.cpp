#include "lists/one_line_text.h"

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
    changeLineInPlace(text);
    return text;
}

// One pass from the left: "\\" is one backslash before "\n" is looked for,
// so "\\n" is a backslash and n. Each escape of two characters becomes one
// or two, so the text is rewritten where it stands.
void changeLineInPlace(std::u16string& text) {
    size_t to = 0;
    for (size_t from = 0; from < text.size(); ++from) {
        const char16_t c = text[from];
        const char16_t next = from + 1 < text.size() ? text[from + 1] : u'\0';
        if (c == u'\\' && next == u'\\') {
            text[to++] = u'\\';
            ++from;
        } else if (c == u'\\' && next == u'n') {
            text[to++] = u'\r';
            text[to++] = u'\n';
            ++from;
        } else {
            text[to++] = c;
        }
    }
    text.resize(to);
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
