#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace wordvane::sim {

// A script line the simulator cannot carry out (as opposed to a fault of
// the program it runs).
struct ScriptError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// One step of a scenario script: a verb and its argument.
struct Step {
    std::string verb;     // type, key, hotkey, tick, clip, answer, tray, menu, click, focus, field
    std::u16string text;  // the argument, UTF-16
};

// Parses one script line; empty for blank lines and comments ("#").
// Throws ScriptError for an unknown verb.
std::optional<Step> parseStep(const std::string& line);

// The argument of `type` and `clip` in the script's own notation: "\n" is a
// line break, "\t" a tab, "\\" a backslash.
std::u16string unescape(const std::u16string& text);

}  // namespace wordvane::sim
