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
// characters to rewrite go out whole: a sink with `appendUntil(view, stop)`
// writes each run in the same pass that finds its end, which is the first
// position `i` for which `stop(view, i)` holds.
template <typename Out, typename Stop>
size_t appendUntil(Out& out, std::u16string_view text, Stop stop) {
    if constexpr (requires { out.appendUntil(text, stop); }) {
        return out.appendUntil(text, stop);
    } else {
        size_t end = 0;
        while (end < text.size() && !stop(text, end)) {
            ++end;
        }
        out.append(text.substr(0, end));
        return end;
    }
}

// CR and LF each end a line; CR LF is one line break of two characters.
inline bool isLineBreak(char16_t c) {
    return c <= u'\r' && (c == u'\r' || c == u'\n');  // the first comparison settles most
}
inline size_t lineBreakLength(std::u16string_view text, size_t at) {
    return text.substr(at, 2) == u"\r\n" ? 2 : 1;
}

template <typename Out>
void appendChangedLine2(Out& out, std::u16string_view source) {
    // A run of backslashes is written doubled when a single one would decode
    // differently: when the run is longer than one, or is followed by "n" or
    // a line break. A single one goes out in its run as it is.
    const auto doubledRunStarts = [](std::u16string_view text, size_t i) {
        const size_t next = i + 1;
        return next < text.size() &&
               (text[next] == u'\\' || text[next] == u'n' || isLineBreak(text[next]));
    };
    const auto toRewrite = [&](std::u16string_view text, size_t i) {
        const char16_t c = text[i];
        return c <= u'\\' && (isLineBreak(c) || (c == u'\\' && doubledRunStarts(text, i)));
    };
    size_t i = 0;
    while ((i += appendUntil(out, source.substr(i), toRewrite)) < source.size()) {
        if (source[i] == u'\\') {
            size_t end = i + 1;
            while (end < source.size() && source[end] == u'\\') {
                ++end;
            }
            out.append((end - i) * 2, u'\\');
            i = end;
        } else {
            out.append(std::u16string_view(u"\\n"));
            i += lineBreakLength(source, i);
        }
    }
}

template <typename Out>
void appendWithLineBreaksAs(Out& out, std::u16string_view text, std::u16string_view lineBreak) {
    const auto atLineBreak = [](std::u16string_view t, size_t i) { return isLineBreak(t[i]); };
    size_t i = 0;
    while ((i += appendUntil(out, text.substr(i), atLineBreak)) < text.size()) {
        out.append(lineBreak);
        i += lineBreakLength(text, i);
    }
}

// Replaces every occurrence of `from` by `to`, left to right, without
// rescanning what was inserted.
std::u16string replaceAll(const std::u16string& text, const std::u16string& from,
                          const std::u16string& to);

}  // namespace wordvane
