#include "lists/list_file_format.h"

#include <algorithm>

#include "lists/decimal_text.h"
#include "lists/lists.h"
#include "lists/one_line_text.h"

namespace wordvane {

namespace {

bool startsWithSlash(const std::u16string& line) {
    return !line.empty() && line[0] == u'/';
}

std::u16string firstCharacter(const std::u16string& line) {
    return line.substr(0, 1);
}

bool firstIs(const std::u16string& line, char16_t lower) {
    return !line.empty() && (line[0] == lower || line[0] == lower - (u'a' - u'A'));
}

std::u16string readStartChar(const std::u16string& line) {
    return line == u"ShiftSpace" ? line : firstCharacter(line);
}

std::u16string readElementKey(const std::u16string& line) {
    if (line == u"ShiftSpace") {
        return line;
    }
    if (line == u"null" || line == u"Null") {
        return kNeverElementKey;
    }
    return firstCharacter(line);
}

int16_t readDisplaySize(const std::u16string& line) {
    if (firstIs(line, u's')) {
        return 0;
    }
    return firstIs(line, u'l') ? 2 : 1;
}

// A text written as a line of its own must stay one line: a line break inside
// it would split the file's structure, so each line break (CR LF, CR alone,
// LF alone) is written as "\n".
std::u16string asOneLine(const std::u16string& text) {
    return withLineBreaksAs(text, u"\\n");
}

// An element name that begins with "/" would read back as a word separator;
// a blank in front keeps it a name.
std::u16string nameLine(const std::u16string& name) {
    std::u16string line = asOneLine(name);
    return startsWithSlash(line) ? u" " + line : line;
}

}  // namespace

ListReadOutcome parseListFile(const std::vector<std::u16string>& lines, ListHeader& header,
                              WordListClass& list) {
    size_t next = 0;
    const auto atEnd = [&] { return next >= lines.size(); };
    const auto failure = [](ListReadFailure kind, ListReadCause cause = ListReadCause::None) {
        return ListReadOutcome{kind, cause};
    };
    try {
        if (atEnd()) {
            return failure(ListReadFailure::Read, ListReadCause::NoName);
        }
        header.name = lines[next++];
        if (header.name.empty()) {
            return failure(ListReadFailure::Read, ListReadCause::NoName);
        }
        if (atEnd()) {
            return failure(ListReadFailure::Read, ListReadCause::HeaderMissing);
        }
        header.startChar = readStartChar(lines[next++]);
        const auto headerLine = [&](auto convert, auto& into) {
            if (atEnd()) {
                return false;
            }
            into = convert(lines[next++]);
            return true;
        };
        const auto whole = [](const std::u16string& line) { return line; };
        if (!headerLine(readElementKey, header.elementKey) ||
            !headerLine(whole, header.cancelKeyLine) ||
            !headerLine([](const auto& line) { return firstIs(line, u't'); },
                        header.insertAtWordLevel) ||
            !headerLine([](const auto& line) { return firstIs(line, u'r'); },
                        header.replaceAbbrev) ||
            !headerLine(readDisplaySize, header.displaySize) || atEnd()) {
            return failure(ListReadFailure::Read, ListReadCause::HeaderMissing);
        }
        const auto count = parseInt16(lines[next++]);
        if (!count) {
            return failure(ListReadFailure::Count);
        }
        try {
            list.setLength(*count);
        } catch (const ListStoreError&) {
            return failure(ListReadFailure::Count);
        }
        if (atEnd() || !startsWithSlash(lines[next++])) {
            return failure(ListReadFailure::Read, ListReadCause::NoFirstSeparator);
        }
        // A list of no words (count 0, as the writer writes an empty list)
        // has the first separator and nothing after it.
        const int words = list.getWordLength() + 1;
        int separators = 0;
        while (!atEnd()) {
            const std::u16string& line = lines[next++];
            if (startsWithSlash(line) || words == 0) {
                ++separators;
                if (separators >= words) {
                    return failure(ListReadFailure::Read, ListReadCause::TooManyWords);
                }
                list.nextIndex();
            } else {
                if (atEnd()) {
                    return failure(ListReadFailure::Read, ListReadCause::AccountMissing);
                }
                list.setString(line, getChangedLine(lines[next++]));
            }
        }
        if (separators != std::max(words - 1, 0)) {
            return failure(ListReadFailure::TooFewWords);
        }
        return {};
    } catch (const ListStoreError&) {
        return failure(ListReadFailure::Read, ListReadCause::TooManyElements);
    }
}

std::vector<std::u16string> formatListFile(const ListHeader& header, const WordListClass& list) {
    std::vector<std::u16string> lines;
    lines.push_back(asOneLine(header.name));
    lines.push_back(asOneLine(header.startChar));
    if (header.elementKey == kNoElementKey) {
        lines.emplace_back();
    } else if (header.elementKey == kNeverElementKey) {
        lines.emplace_back(u"Null");
    } else {
        lines.push_back(asOneLine(header.elementKey));
    }
    lines.push_back(header.cancelKeyLine == kNoCancelKeys ? u"" : asOneLine(header.cancelKeyLine));
    lines.emplace_back(header.insertAtWordLevel ? u"true" : u"false");
    lines.emplace_back(header.replaceAbbrev ? u"reverse" : u"normal");
    lines.emplace_back(header.displaySize == 0   ? u"small"
                       : header.displaySize == 1 ? u"middle"
                                                 : u"large");
    lines.push_back(toDecimal(list.getWordLength() + 1));
    lines.emplace_back(u"/");
    for (int w = 0; w <= list.getWordLength(); ++w) {
        const auto word = static_cast<int16_t>(w);
        if (w > 0) {
            lines.emplace_back(u"/");
        }
        for (int e = 0; e <= list.getElementLength(word); ++e) {
            const auto element = static_cast<int16_t>(e);
            lines.push_back(nameLine(list.getString(word, element, 0)));
            lines.push_back(getChangedLine2(list.getString(word, element, 1)));
        }
    }
    return lines;
}

}  // namespace wordvane
