#pragma once

#include <string>
#include <string_view>

namespace wordvane {

// The one-line form of a text: "\\" stands for a backslash and "\n" for a
// line break (CR LF). Used wherever a text is stored in a file line or shown
// on one line.

// One-line form to text; or the text in place (it never grows): the
// `size` characters at `text` are rewritten, and their new count returned.
std::u16string getChangedLine(std::u16string_view source);
size_t changeLineInPlace(char16_t* text, size_t size);

// Text to one-line form. Every kind of line break (CR LF, lone CR, lone LF)
// becomes "\n". Backslashes are doubled only where single ones would decode
// differently (a run of two or more, or one before "n" or a line break), so
// that paths keep their look and every text comes back unchanged from
// getChangedLine.
std::u16string getChangedLine2(std::u16string_view source);

// The text with each line break (CR LF, lone CR, lone LF) as `lineBreak`,
// in one pass.
std::u16string withLineBreaksAs(std::u16string_view text, std::u16string_view lineBreak);

// The same two, added to the end of `out`: a std::u16string, or anything
// that takes text runs as `append(view)` and `append(count, character)`
// (an encoder writing the bytes of a file as it goes). The runs between the
// characters to rewrite go out whole.
template <typename Out>
void appendChangedLine2(Out& out, std::u16string_view source) {
    size_t start = 0;  // the first character not yet written
    for (size_t i = 0; i < source.size(); ++i) {
        const char16_t c = source[i];
        if (c > u'\\' || (c != u'\\' && c != u'\r' && c != u'\n')) {
            continue;  // the first comparison settles most characters
        }
        out.append(source.substr(start, i - start));
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
            out.append((end - i) * (doubled ? 2 : 1), u'\\');
            i = end - 1;
        } else {
            out.append(std::u16string_view(u"\\n"));
            if (c == u'\r' && i + 1 < source.size() && source[i + 1] == u'\n') {
                ++i;
            }
        }
        start = i + 1;
    }
    out.append(source.substr(start));
}

template <typename Out>
void appendWithLineBreaksAs(Out& out, std::u16string_view text, std::u16string_view lineBreak) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] > u'\r' || (text[i] != u'\r' && text[i] != u'\n')) {
            continue;  // the first comparison settles most characters
        }
        out.append(text.substr(start, i - start));
        out.append(lineBreak);
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
        start = i + 1;
    }
    out.append(text.substr(start));
}

// Replaces every occurrence of `from` by `to`, left to right, without
// rescanning what was inserted.
std::u16string replaceAll(const std::u16string& text, const std::u16string& from,
                          const std::u16string& to);

}  // namespace wordvane
