// wordvane-sim DIR SCRIPT
//
// Runs Wordvane's real core on the fake desktop over the program folder DIR
// and replays SCRIPT, one step a line; after each step prints what the user
// would see. The format is in the README.

#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>

#include "app/app.h"
#include "completion/key_reader.h"
#include "lists/decimal_text.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_session.h"
#include "util/utf8.h"
#include "wordvane-sim/script.h"

namespace {

using namespace wordvane;

// A text in double quotes, with line breaks, tabs, quotes and backslashes
// escaped.
std::string quoted(const std::u16string& text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += "\\n";
            ++i;
        } else if (c == u'\r' || c == u'\n') {
            out += "\\n";
        } else if (c == u'\t') {
            out += "\\t";
        } else if (c == u'"' || c == u'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else {
            out += toUtf8(std::u16string(1, c));
        }
    }
    return out + "\"";
}

class Simulation {
  public:
    explicit Simulation(const std::string& folder) : platform_(folder), app_(platform_) {
        platform_.clipboard = std::u16string();
    }

    bool start() { return app_.shell.Form_Load(); }

    void run(const sim::Step& step) {
        if (step.verb == "type") {
            user_.type(sim::unescape(step.text));
        } else if (step.verb == "key") {
            pressKey(step.text);
        } else if (step.verb == "hotkey") {
            hotkey(step.text);
        } else if (step.verb == "tick") {
            const auto count = parseInt32(step.text.empty() ? u"1" : step.text);
            if (!count || *count < 0) {
                throw std::invalid_argument("tick needs a count");
            }
            user_.tick(*count);
        } else if (step.verb == "clip") {
            user_.copy(sim::unescape(step.text));
        } else if (step.verb == "answer") {
            platform_.messageAnswers.push_back(step.text == u"yes" ? kIdYes : kIdNo);
        }
    }

    void print(std::ostream& out) {
        for (; messagesShown_ < platform_.messages.size(); ++messagesShown_) {
            out << "  message: " << quoted(platform_.messages[messagesShown_].text) << "\n";
        }
        const ui::Form1& form1 = app_.forms.form1;
        out << "  window: " << (form1.visible() ? "shown " : "hidden ") << quoted(form1.caption())
            << "\n";
        out << "  list:";
        const auto& items = form1.List1.items();
        for (size_t i = 0; i < items.size(); ++i) {
            const bool selected = static_cast<int>(i) == form1.List1.listIndex();
            out << " " << (selected ? "[" : "") << quoted(items[i]) << (selected ? "]" : "");
        }
        out << "\n  text1: " << quoted(form1.Text1.text()) << "\n";
        out << "  app: " << quoted(user_.applicationText()) << "\n";
        out << "  clipboard: " << quoted(platform_.clipboard.value_or(u"")) << "\n";
    }

    bool ended() const { return platform_.exited; }

  private:
    void pressKey(const std::u16string& spec) {
        std::u16string name = spec;
        bool ctrl = false;
        bool shift = false;
        for (bool found = true; found;) {
            found = false;
            if (name.rfind(u"ctrl+", 0) == 0) {
                ctrl = found = true;
                name = name.substr(5);
            } else if (name.rfind(u"shift+", 0) == 0) {
                shift = found = true;
                name = name.substr(6);
            }
        }
        int key = FakeSession::virtualKeyNamed(name);
        if (key == 0) {
            if (const auto code = parseInt32(name); code && *code > 0 && *code < 256) {
                key = *code;
            }
        }
        if (key == 0) {
            throw std::invalid_argument("unknown key: " + toUtf8(name));
        }
        if (name.size() == 1 && name[0] >= u'A' && name[0] <= u'Z') {
            shift = true;
        }
        user_.press(key, shift, ctrl);
    }

    void hotkey(const std::u16string& name) {
        if (name.rfind(u"list ", 0) == 0) {
            const auto list = parseInt32(name.substr(5));
            if (!list || !user_.listHotkey(*list)) {
                throw std::invalid_argument("hotkey list needs 0 to 6");
            }
            return;
        }
        if (!user_.hotkey(name)) {
            throw std::invalid_argument("unknown hotkey: " + toUtf8(name));
        }
    }

    FakePlatform platform_;
    App app_;
    FakeSession user_{platform_, app_};
    size_t messagesShown_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: wordvane-sim DIR SCRIPT\n";
        return 2;
    }
    std::ifstream script(argv[2]);
    if (!script) {
        std::cerr << "cannot read " << argv[2] << "\n";
        return 2;
    }
    Simulation simulation(argv[1]);
    const bool resident = simulation.start();
    std::cout << "start\n";
    simulation.print(std::cout);
    if (!resident) {
        std::cout << "start-up ends the program\n";
        return 1;
    }
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        try {
            const auto step = sim::parseStep(line);
            if (!step) {
                continue;
            }
            simulation.run(*step);
            std::cout << step->verb << (step->text.empty() ? "" : " ") << toUtf8(step->text)
                      << "\n";
            simulation.print(std::cout);
        } catch (const std::exception& error) {
            std::cerr << argv[2] << ":" << number << ": " << error.what() << "\n";
            return 2;
        }
        if (simulation.ended()) {
            std::cout << "the program has ended\n";
            break;
        }
    }
    return 0;
}
