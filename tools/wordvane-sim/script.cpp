#include "wordvane-sim/script.h"

#include <stdexcept>

#include "util/utf8.h"

namespace wordvane::sim {

std::optional<Step> parseStep(const std::string& line) {
    std::string trimmed = line;
    while (!trimmed.empty() && (trimmed.back() == '\r' || trimmed.back() == '\n')) {
        trimmed.pop_back();
    }
    const size_t start = trimmed.find_first_not_of(' ');
    if (start == std::string::npos || trimmed[start] == '#') {
        return std::nullopt;
    }
    trimmed = trimmed.substr(start);
    const size_t blank = trimmed.find(' ');
    Step step{trimmed.substr(0, blank),
              blank == std::string::npos ? u"" : fromUtf8(trimmed.substr(blank + 1))};
    for (const char* verb :
         {"type",   "key",   "hotkey", "tick",   "clip",   "answer", "tray",       "menu",
          "click",  "focus", "field",  "secret", "wait",   "line",   "rightclick", "selectall",
          "select", "shell", "check",  "choose", "retype", "ime"}) {
        if (step.verb == verb) {
            return step;
        }
    }
    throw ScriptError("unknown step: " + step.verb);
}

std::u16string unescape(const std::u16string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const char16_t next = text[++i];
            out += next == u'n' ? u'\n' : next == u't' ? u'\t' : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace wordvane::sim
