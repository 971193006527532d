#pragma once

#include <string>
#include <string_view>

namespace wordvane {

// The one-line form of a text: "\\" stands for a backslash and "\n" for a
// line break (CR LF). Used wherever a text is stored in a file line or shown
// on one line.

// One-line form to text.
std::u16string getChangedLine(const std::u16string& source);

// Text to one-line form. Every kind of line break (CR LF, lone CR, lone LF)
// becomes "\n". Backslashes are doubled only where single ones would decode
// differently (a run of two or more, or one before "n" or a line break), so
// that paths keep their look and every text comes back unchanged from
// getChangedLine.
std::u16string getChangedLine2(const std::u16string& source);

// The text with each line break (CR LF, lone CR, lone LF) as `lineBreak`,
// in one pass.
std::u16string withLineBreaksAs(const std::u16string& text, std::u16string_view lineBreak);

// Replaces every occurrence of `from` by `to`, left to right, without
// rescanning what was inserted.
std::u16string replaceAll(const std::u16string& text, const std::u16string& from,
                          const std::u16string& to);

}  // namespace wordvane
