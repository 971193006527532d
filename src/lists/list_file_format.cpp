#include "lists/list_file_format.h"

#include <algorithm>

#include "lists/cp932.h"
#include "lists/decimal_text.h"
#include "lists/lists.h"
#include "lists/one_line_text.h"
#include "lists/text_file.h"

namespace wordvane {

namespace {

bool startsWithSlash(std::u16string_view line) {
    return !line.empty() && line[0] == u'/';
}

std::u16string firstCharacter(std::u16string_view line) {
    return std::u16string(line.substr(0, 1));
}

bool firstIs(std::u16string_view line, char16_t lower) {
    return !line.empty() && (line[0] == lower || line[0] == lower - (u'a' - u'A'));
}

std::u16string readStartChar(std::u16string_view line) {
    return line == u"ShiftSpace" ? std::u16string(line) : firstCharacter(line);
}

std::u16string readElementKey(std::u16string_view line) {
    if (line == u"ShiftSpace") {
        return std::u16string(line);
    }
    if (line == u"null" || line == u"Null") {
        return kNeverElementKey;
    }
    return firstCharacter(line);
}

int16_t readDisplaySize(std::u16string_view line) {
    if (firstIs(line, u's')) {
        return 0;
    }
    return firstIs(line, u'l') ? 2 : 1;
}

// A text written as a line of its own must stay one line: a line break inside
// it would split the file's structure, so each line break (CR LF, CR alone,
// LF alone) is written as "\n".
template <typename Out>
void appendOneLine(Out& out, std::u16string_view line) {
    appendWithLineBreaksAs(out, line, u"\\n");
    out.append(std::u16string_view(u"\r\n"));
}

// The text begins with "/" after any blanks.
bool slashAfterBlanks(std::u16string_view text) {
    const size_t first = text.find_first_not_of(u' ');
    return first != std::u16string_view::npos && text[first] == u'/';
}

// An element name that begins with "/" would read back as a word separator:
// the writer puts one blank in front of a name that begins with "/" after
// any blanks, and the reader takes exactly that blank away again, so "/abc"
// and " /abc" both come back as they were.
template <typename Out>
void appendNameLine(Out& out, std::u16string_view name) {
    if (slashAfterBlanks(name)) {
        out.append(std::u16string_view(u" "));
    }
    appendOneLine(out, name);
}

std::u16string_view nameOfLine(std::u16string_view line) {
    return !line.empty() && line[0] == u' ' && slashAfterBlanks(line) ? line.substr(1) : line;
}

// The lines of a file's text one after another, split as splitLines splits
// them. Once the list keeps the text, the values are parts of it and the
// escapes are rewritten where they stand: reading makes no string per value.
class TextLines {
  public:
    explicit TextLines(std::u16string text)
        : text_(std::move(text)), data_(text_.data()), size_(text_.size()) {}
    bool atEnd() const { return next_ >= size_; }
    std::u16string_view next() { return lineAt({data_, size_}, next_, next_); }
    void keepIn(WordListClass& list) { data_ = list.keepText(std::move(text_)).data(); }
    ListText value(std::u16string_view line) const { return ListText::partOfKeptText(line); }
    ListText account(std::u16string_view line) {
        char16_t* at = data_ + (line.data() - data_);
        return ListText::partOfKeptText({at, changeLineInPlace(at, line.size())});
    }

  private:
    std::u16string text_;  // its characters until the list keeps them
    char16_t* data_;       // the characters, wherever they are kept
    size_t size_;
    size_t next_ = 0;
};

// Lines given one by one: each value a copy.
class GivenLines {
  public:
    explicit GivenLines(const std::vector<std::u16string>& lines) : lines_(lines) {}
    bool atEnd() const { return next_ >= lines_.size(); }
    std::u16string_view next() { return lines_[next_++]; }
    void keepIn(WordListClass&) {}
    ListText value(std::u16string_view line) const { return line; }
    ListText account(std::u16string_view line) const { return getChangedLine(line); }

  private:
    const std::vector<std::u16string>& lines_;
    size_t next_ = 0;
};

template <typename Lines>
ListReadOutcome parseLines(Lines& lines, ListHeader& header, WordListClass& list) {
    const auto atEnd = [&] { return lines.atEnd(); };
    const auto take = [&] { return lines.next(); };
    const auto failure = [](ListReadFailure kind, ListReadCause cause = ListReadCause::None) {
        return ListReadOutcome{kind, cause};
    };
    try {
        if (atEnd()) {
            return failure(ListReadFailure::Read, ListReadCause::NoName);
        }
        header.name = take();
        if (header.name.empty()) {
            return failure(ListReadFailure::Read, ListReadCause::NoName);
        }
        if (atEnd()) {
            return failure(ListReadFailure::Read, ListReadCause::HeaderMissing);
        }
        header.startChar = readStartChar(take());
        const auto headerLine = [&](auto convert, auto& into) {
            if (atEnd()) {
                return false;
            }
            into = convert(take());
            return true;
        };
        const auto whole = [](std::u16string_view line) { return std::u16string(line); };
        if (!headerLine(readElementKey, header.elementKey) ||
            !headerLine(whole, header.cancelKeyLine) ||
            !headerLine([](const auto& line) { return firstIs(line, u't'); },
                        header.insertAtWordLevel) ||
            !headerLine([](const auto& line) { return firstIs(line, u'r'); },
                        header.replaceAbbrev) ||
            !headerLine(readDisplaySize, header.displaySize) || atEnd()) {
            return failure(ListReadFailure::Read, ListReadCause::HeaderMissing);
        }
        const auto count = parseInt16(std::u16string(take()));
        if (!count) {
            return failure(ListReadFailure::Count);
        }
        try {
            list.setLength(*count);
        } catch (const ListStoreError&) {
            return failure(ListReadFailure::Count);
        }
        lines.keepIn(list);
        if (atEnd() || !startsWithSlash(take())) {
            return failure(ListReadFailure::Read, ListReadCause::NoFirstSeparator);
        }
        // A list of no words (count 0, as the writer writes an empty list)
        // has the first separator and nothing after it.
        const int words = list.getWordLength() + 1;
        int separators = 0;
        while (!atEnd()) {
            const std::u16string_view line = take();
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
                ListText name = lines.value(nameOfLine(line));
                list.setString(std::move(name), lines.account(take()));
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

}  // namespace

ListReadOutcome parseListFile(std::u16string text, ListHeader& header, WordListClass& list) {
    TextLines lines(std::move(text));
    return parseLines(lines, header, list);
}

ListReadOutcome parseListFile(const std::vector<std::u16string>& lines, ListHeader& header,
                              WordListClass& list) {
    GivenLines given(lines);
    return parseLines(given, header, list);
}

namespace {

// The size of the list's text when nothing in it is escaped: the text grows
// once, not by doubling.
size_t plainSize(const WordListClass& list) {
    size_t size = 256;
    list.forEachWord([&size](std::span<const ListElement> elements) {
        for (const auto& [name, account] : elements) {
            size += name.view().size() + account.view().size() + 5;
        }
        size += 3;
    });
    return size;
}

template <typename Out>
void formatList(Out& out, const ListHeader& header, const WordListClass& list) {
    appendOneLine(out, header.name);
    appendOneLine(out, header.startChar);
    if (header.elementKey == kNoElementKey) {
        appendOneLine(out, u"");
    } else if (header.elementKey == kNeverElementKey) {
        appendOneLine(out, u"Null");
    } else {
        appendOneLine(out, header.elementKey);
    }
    appendOneLine(out, header.cancelKeyLine == kNoCancelKeys ? u"" : header.cancelKeyLine);
    appendOneLine(out, header.insertAtWordLevel ? u"true" : u"false");
    appendOneLine(out, header.replaceAbbrev ? u"reverse" : u"normal");
    appendOneLine(out, header.displaySize == 0   ? u"small"
                       : header.displaySize == 1 ? u"middle"
                                                 : u"large");
    appendOneLine(out, toDecimal(list.getWordLength() + 1));
    appendOneLine(out, u"/");
    bool firstWord = true;
    list.forEachWord([&](std::span<const ListElement> elements) {
        if (!firstWord) {
            out.append(std::u16string_view(u"/\r\n"));
        }
        firstWord = false;
        for (const auto& [name, account] : elements) {
            appendNameLine(out, name);
            appendChangedLine2(out, account);
            out.append(std::u16string_view(u"\r\n"));
        }
    });
}

}  // namespace

std::u16string formatListText(const ListHeader& header, const WordListClass& list) {
    std::u16string text;
    text.reserve(plainSize(list));
    formatList(text, header, list);
    return text;
}

std::string listFileBytes(const ListHeader& header, const WordListClass& list, TextFileForm& form) {
    if (form.encoding == TextEncoding::Cp932) {
        Cp932Writer writer(plainSize(list));
        formatList(writer, header, list);
        const bool exact = writer.exact();
        std::string bytes = writer.take();
        if (exact && encodingShownBy(bytes) == TextEncoding::Cp932) {
            return bytes;
        }
    }
    return textFileBytes(formatListText(header, list), form);
}

std::vector<std::u16string> formatListFile(const ListHeader& header, const WordListClass& list) {
    return splitLines(formatListText(header, list));
}

}  // namespace wordvane
