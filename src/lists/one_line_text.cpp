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

std::u16string getChangedLine(const std::u16string& source) {
    // One pass from the left: "\\" is one backslash before "\n" is looked
    // for, so "\\n" is a backslash and n.
    std::u16string result;
    result.reserve(source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        const char16_t next = i + 1 < source.size() ? source[i + 1] : u'\0';
        if (source[i] == u'\\' && next == u'\\') {
            result += u'\\';
            ++i;
        } else if (source[i] == u'\\' && next == u'n') {
            result += u"\r\n";
            ++i;
        } else {
            result += source[i];
        }
    }
    return result;
}

std::u16string withLineBreaksAs(const std::u16string& text, std::u16string_view lineBreak) {
    std::u16string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            result += lineBreak;
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else {
            result += text[i];
        }
    }
    return result;
}

std::u16string getChangedLine2(const std::u16string& source) {
    std::u16string result;
    result.reserve(source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        const char16_t c = source[i];
        if (c == u'\\') {
            // A run of backslashes is written doubled when a single one would
            // decode differently: when the run is longer than one, or is
            // followed by "n" or a line break.
            size_t end = i;
            while (end < source.size() && source[end] == u'\\') {
                ++end;
            }
            const char16_t next = end < source.size() ? source[end] : u'\0';
            const bool doubled = end - i > 1 || next == u'n' || next == u'\r' || next == u'\n';
            result.append((end - i) * (doubled ? 2 : 1), u'\\');
            i = end - 1;
        } else if (c == u'\r') {
            result += u"\\n";
            if (i + 1 < source.size() && source[i + 1] == u'\n') {
                ++i;
            }
        } else if (c == u'\n') {
            result += u"\\n";
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace wordvane
