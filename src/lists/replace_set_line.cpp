#include "lists/replace_set_line.h"

#include "lists/one_line_text.h"

namespace wordvane {

namespace {

size_t findSeparator(const std::u16string& line, size_t from) {
    for (size_t pos = line.find(u'/', from); pos != std::u16string::npos;
         pos = line.find(u'/', pos + 1)) {
        if (pos == 0 || line[pos - 1] != u'\\') {
            return pos;
        }
    }
    return std::u16string::npos;
}

// The field ends with a backslash and any blanks after it.
bool endsWithBackslashAndBlanks(const std::u16string& field) {
    const size_t last = field.find_last_not_of(u' ');
    return last != std::u16string::npos && field[last] == u'\\';
}

// A backslash just before the separator would make it read as an escaped
// slash and the whole settings file unreadable: the writer puts one blank
// after a field that ends with a backslash and any blanks, and the reader
// takes exactly that blank away again, so a result that ends with "\" stays
// as it was.
std::u16string encodeField(const std::u16string& text) {
    std::u16string field = replaceAll(getChangedLine2(text), u"/", u"\\/");
    if (endsWithBackslashAndBlanks(field)) {
        field += u' ';
    }
    return field;
}

std::u16string decodeField(std::u16string field) {
    if (!field.empty() && field.back() == u' ' && endsWithBackslashAndBlanks(field)) {
        field.pop_back();
    }
    return getChangedLine(replaceAll(field, u"\\/", u"/"));
}

}  // namespace

std::optional<std::array<std::u16string, 3>> splitReplaceSetLine(const std::u16string& line) {
    std::array<std::u16string, 3> fields;
    size_t start = 0;
    for (auto& field : fields) {
        const size_t separator = findSeparator(line, start);
        if (separator == std::u16string::npos) {
            return std::nullopt;
        }
        field = decodeField(line.substr(start, separator - start));
        start = separator + 1;
    }
    return fields;
}

std::u16string formatReplaceSetLine(const std::u16string& name, const std::u16string& before,
                                    const std::u16string& after) {
    return encodeField(name) + u"/" + encodeField(before) + u"/" + encodeField(after) +
           kReplaceSetComment;
}

}  // namespace wordvane
