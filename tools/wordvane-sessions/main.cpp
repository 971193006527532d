// wordvane-sessions FOLDER COUNT [FIRST-SEED] [--print]
//
// Plays COUNT random but plausible user sessions on the simulated desktop,
// each on a fresh copy of the program folder FOLDER: typing with the lists'
// start characters and names, hotkeys, copies, menus, buttons, fields and
// answers chosen from what is shown at each step. Every session ends with
// 終了, and the folder must then start again as the checker would: no
// message, all seven lists loaded. Even seeds read the keys from the
// recorded presses, odd ones poll them. Session N uses seed FIRST-SEED + N, so a
// failing session is replayed by its seed; with --print the steps of the
// sessions are printed as a wordvane-sim script instead of only played.
// Exit status 0 when every session passed, 1 at the first failure (a fault
// of the program, or a folder it left that does not start cleanly).

#include <unistd.h>
#include <csignal>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "wordvane-sim/simulation.h"

namespace {

using namespace wordvane;
namespace fs = std::filesystem;

// A text written as a script argument: backslashes, tabs and line breaks in
// the notation that `unescape` reads back.
std::string escaped(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        if (c == u'\\') {
            out += "\\\\";
        } else if (c == u'\n') {
            out += "\\n";
        } else if (c == u'\r') {
            continue;
        } else if (c == u'\t') {
            out += "\\t";
        } else {
            out += toUtf8(std::u16string(1, c));
        }
    }
    return out;
}

class Generator {
  public:
    Generator(sim::Simulation& simulation, uint32_t seed) : sim_(simulation), random_(seed) {}

    // The next step, chosen from what the user sees now.
    std::string next() {
        if (!planned_.empty()) {
            std::string step = planned_.front();
            planned_.pop_front();
            return step;
        }
        if (sim_.platform().openMenu != nullptr && chance(85)) {
            if (auto item = menuItem()) {
                return "menu " + *item;
            }
        }
        if (dialogShown() && chance(60)) {
            if (auto step = dialogStep()) {
                return *step;
            }
        }
        return generalStep();
    }

  private:
    bool chance(int percent) { return pick(100) < percent; }
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }
    template <typename T>
    const T& oneOf(const std::vector<T>& items) {
        return items[static_cast<size_t>(pick(static_cast<int>(items.size())))];
    }

    App& app() { return sim_.app(); }

    bool dialogShown() {
        for (int number : sim_.user().shownWindows()) {
            if (number != 1 && number != 2 && number != 7) {
                return true;
            }
        }
        return false;
    }

    // A visible item of the open menu, "SUBMENU > ITEM" inside a submenu.
    std::optional<std::string> menuItem() {
        std::vector<std::string> items;
        collect(*sim_.platform().openMenu, "", items);
        if (items.empty()) {
            return std::nullopt;
        }
        return oneOf(items);
    }
    static void collect(const ui::MenuItem& menu, const std::string& path,
                        std::vector<std::string>& items) {
        for (const ui::MenuItem* item : menu.children) {
            if (!item->visible() || !item->enabled() || item->caption() == u"-") {
                continue;
            }
            const std::string name = path + escaped(item->caption());
            if (item->children.empty()) {
                items.push_back(name);
            } else {
                collect(*item, name + " > ", items);
            }
        }
    }

    // A button, check box, drop-down entry, field or list line of a shown
    // window other than the candidate list.
    std::optional<std::string> dialogStep() {
        std::vector<std::string> steps;
        for (int number : sim_.user().shownWindows()) {
            if (number == 1) {
                continue;
            }
            for (const ui::ControlSlot& slot : app().forms.byNumber(number).controls()) {
                const ui::Control& control = *slot.control;
                if (!control.visible()) {
                    continue;
                }
                switch (control.kind()) {
                    case ui::ControlKind::Button:
                        steps.push_back("click " +
                                        escaped(static_cast<const ui::Button&>(control).caption()));
                        break;
                    case ui::ControlKind::CheckBox:
                        steps.push_back(
                            "check " +
                            escaped(static_cast<const ui::CheckBox&>(control).caption()));
                        break;
                    case ui::ControlKind::ComboBox: {
                        const auto& items = static_cast<const ui::ComboBox&>(control).items();
                        if (!items.empty()) {
                            steps.push_back("choose " + escaped(oneOf(items)));
                        }
                        break;
                    }
                    case ui::ControlKind::TextBox:
                        steps.push_back(std::string("focus ") + slot.name);
                        break;
                    case ui::ControlKind::ListBox: {
                        const int count = static_cast<const ui::ListBox&>(control).listCount();
                        if (number == 3 && count > 0) {
                            steps.push_back("line " + std::to_string(pick(count)));
                        }
                        break;
                    }
                    case ui::ControlKind::Label:
                        break;
                }
            }
        }
        if (focusedField()) {
            steps.push_back((chance(50) ? "field " : "retype ") + text());
        }
        steps.push_back(chance(50) ? "answer yes" : "answer no");
        return oneOf(steps);
    }

    bool focusedField() {
        for (int number : sim_.user().shownWindows()) {
            if (dynamic_cast<ui::TextBox*>(app().forms.byNumber(number).focusedControl())) {
                return true;
            }
        }
        return false;
    }

    // What a user types: a start character, part of a name of the current
    // list, letters, kana no key spells, a blank.
    std::string text() {
        std::u16string typed;
        const int parts = 1 + pick(3);
        for (int i = 0; i < parts; ++i) {
            switch (pick(6)) {
                case 0: {
                    const auto& start = app().lists.startChar(pick(kListCount));
                    typed += start == u"ShiftSpace" ? u" " : start;
                    break;
                }
                case 1:
                case 2: {
                    const WordListClass& words = app().completion.currentWords();
                    if (words.getWordLength() >= 0) {
                        const auto word = static_cast<int16_t>(pick(words.getWordLength() + 1));
                        const std::u16string_view name = words.peekString(word, 0, 0);
                        typed += name.substr(0, static_cast<size_t>(pick(4) + 1));
                    }
                    break;
                }
                case 3:
                    typed += static_cast<char16_t>(u'a' + pick(26));
                    break;
                case 4:
                    typed += oneOf(std::vector<std::u16string>{u"あ", u"漢字", u"テキスト", u"\n",
                                                               u"/", u"\\"});
                    break;
                default:
                    typed += u" ";
                    break;
            }
        }
        return escaped(typed);
    }

    std::string copied() {
        static const std::vector<std::u16string> kCopies = {
            u"hello",
            u"C:\\data\\report.txt",
            u"C:\\Windows",
            u"\\\\server\\share\\tool.exe",
            u"http://example.com/page",
            u"first line\nsecond line",
            u"日本語のテキストをコピーしました。",
            std::u16string(3000, u'長'),
            u"ohayo",
            u"a",
            u"/usr/bin",
            u"ends with a backslash\\",
        };
        return escaped(oneOf(kCopies));
    }

    std::string generalStep() {
        static const std::vector<std::string> kKeys = {
            "tab",    "return",     "esc",         "backspace",        "up",           "down",
            "left",   "right",      "pageup",      "pagedown",         "home",         "end",
            "insert", "delete",     "space",       "shift+delete",     "shift+insert", "ctrl+v",
            "ctrl+c", "shift+left", "shift+right", "ctrl+alt+shift+r", "ctrl+n",       "alt+f",
            "a",      "ctrl+f"};
        static const std::vector<std::string> kHotkeys = {
            "tab", "down", "up", "pageup", "pagedown", "return", "home", "end", "insert", "delete"};
        const bool listShown = app().forms.form1.visible();
        switch (pick(21)) {
            case 0:
            case 1:
            case 2:
                return "type " + text();
            case 3:
            case 4:
                return "key " + oneOf(kKeys);
            case 5:
            case 6:
                return "hotkey " + oneOf(kHotkeys);
            case 7:
                return "hotkey list " + std::to_string(pick(kListCount));
            case 8:
                return "tick " + oneOf(std::vector<std::string>{"1", "2", "31", "60", "100"});
            case 9:
                return (chance(90) ? "clip " : "secret ") + copied();
            case 10:
                return "wait " + oneOf(std::vector<std::string>{"5s", "1m", "31m"});
            case 11:
                if (listShown && app().forms.form1.List1.listCount() > 0) {
                    return "line " + std::to_string(pick(app().forms.form1.List1.listCount()));
                }
                return "tick 1";
            case 12:
                return listShown ? "rightclick" : "tray right";
            case 13:
                return chance(50) ? "answer yes" : "answer no";
            case 14:
                return chance(70) ? "tray right" : "tray left";
            case 15:
                return listShown ? "focus Text1" : "selectall";
            case 16:
                if (focusedField()) {
                    return (chance(70) ? "field " : "retype ") + text();
                }
                return "type " + text();
            case 17: {
                const size_t length = sim_.user().applicationText().size();
                return "select " + std::to_string(pick(static_cast<int>(length) + 1)) + " " +
                       std::to_string(pick(8));
            }
            case 18:
                return chance(80) ? "shell 42" : "shell 2";
            case 19:
                return story();
            default:
                return "tick " + std::to_string(1 + pick(40));
        }
    }

  public:
    // What the story of a copy found wrong after the step just run: a copy
    // the user made of the text just inserted must still be on the
    // clipboard once every restore has run.
    std::optional<std::string> check() {
        const std::u16string clipboard = sim_.platform().clipboard.value_or(u"");
        if (awaitingRestore_ && planned_.empty()) {
            awaitingRestore_ = false;
            if (clipboard != userCopy_) {
                return "the user's copy \"" + escaped(userCopy_) + "\" was undone";
            }
        }
        if (planned_.size() == 1 && planned_.front() == "tick 60") {
            // The step just run was the copy: it counts when it took place.
            const std::u16string& text = sim_.user().applicationText();
            awaitingRestore_ =
                !text.empty() && clipboard == text && !sim_.platform().clipboardProgramsOwn;
            userCopy_ = text;
        }
        return std::nullopt;
    }

  private:
    // A few steps that belong together, around an insertion: the user
    // copies the text just inserted, or the text-transform hotkey comes just
    // before or after it.
    std::string story() {
        switch (pick(3)) {
            case 0:
                planned_ = {"tick 2", "selectall", "key ctrl+c", "tick 60"};
                break;
            case 1:
                planned_ = {"key ctrl+alt+shift+r", "hotkey tab", "tick 40"};
                break;
            default:
                planned_ = {"key ctrl+alt+shift+r", "tick 2"};
                return "hotkey tab";
        }
        return "hotkey " + oneOf(std::vector<std::string>{"tab", "return"});
    }

    sim::Simulation& sim_;
    std::mt19937 random_;
    std::deque<std::string> planned_;
    bool awaitingRestore_ = false;
    std::u16string userCopy_;
};

struct SessionResult {
    bool passed = true;
    size_t steps = 0;
    std::string script;
    std::string failure;
};

// Runs one step line; a line the simulator refuses is kept as a comment.
bool runLine(sim::Simulation& simulation, const std::string& line, SessionResult& result) {
    const auto step = sim::parseStep(line);
    try {
        simulation.run(*step);
        result.script += line + "\n";
        ++result.steps;
    } catch (const sim::ScriptError&) {
        result.script += "# refused: " + line + "\n";
    }
    return !simulation.ended();
}

SessionResult playSession(const fs::path& folder, uint32_t seed) {
    SessionResult result;
    try {
        sim::Simulation simulation(folder.string(), false);
        // Every other session reads the keys as the desktop records them
        // (raw input), the others poll them.
        simulation.platform().recordKeyPresses = seed % 2 == 0;
        if (!simulation.start()) {
            result.passed = false;
            result.failure = "the folder does not start";
            return result;
        }
        Generator generator(simulation, seed);
        std::mt19937 lengths(seed);
        const int length = 20 + static_cast<int>(lengths() % 80);
        bool resident = true;
        for (int i = 0; i < length && resident; ++i) {
            resident = runLine(simulation, generator.next(), result);
            if (const auto fault = generator.check()) {
                result.passed = false;
                result.failure = *fault;
                return result;
            }
        }
        // The end of every session: 終了, saving or not.
        for (const std::string& line : {std::string(lengths() % 2 ? "answer yes" : "answer no"),
                                        std::string("tray right"), std::string("menu 終了")}) {
            if (resident) {
                resident = runLine(simulation, line, result);
            }
        }
        if (resident) {
            result.passed = false;
            result.failure = "終了 did not end the program";
            return result;
        }
    } catch (const std::exception& error) {
        result.passed = false;
        result.failure = std::string("program fault: ") + error.what();
        return result;
    }
    // The folder as the checker reads it: start-up with no message and every
    // list loaded.
    FakePlatform platform(folder.string());
    App app(platform);
    const bool resident = app.shell.Form_Load();
    if (!resident || !platform.messages.empty() || app.lists.loadedListCount != kListCount) {
        result.passed = false;
        result.failure = "the folder it left does not start cleanly:";
        for (const auto& message : platform.messages) {
            result.failure += " \"" + toUtf8(message.text) + "\"";
        }
    }
    return result;
}

// The session being played, named when the process dies in it (a hang ended
// by the alarm, or a sanitizer's report).
volatile uint32_t currentSeed = 0;

void tellSeed() {
    char text[64];
    const int length =
        std::snprintf(text, sizeof text, "\nin session %u\n", static_cast<unsigned>(currentSeed));
    if (length > 0) {
        [[maybe_unused]] const ssize_t written = write(2, text, static_cast<size_t>(length));
    }
}

void onAlarm(int) {
    tellSeed();
    _exit(1);
}

}  // namespace

extern "C" __attribute__((weak)) void __sanitizer_set_death_callback(void (*callback)());

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: wordvane-sessions FOLDER COUNT [FIRST-SEED] [--print]\n";
        return 2;
    }
    const fs::path source = argv[1];
    const long count = std::stol(argv[2]);
    const uint32_t firstSeed = argc > 3 ? static_cast<uint32_t>(std::stoul(argv[3])) : 1;
    const bool print = argc > 4 && std::string(argv[4]) == "--print";
    const fs::path work = fs::temp_directory_path() /
                          ("wordvane-sessions-" + std::to_string(static_cast<long>(getpid())));
    std::signal(SIGALRM, onAlarm);
    if (__sanitizer_set_death_callback != nullptr) {
        __sanitizer_set_death_callback(tellSeed);
    }
    size_t steps = 0;
    for (long n = 0; n < count; ++n) {
        const uint32_t seed = firstSeed + static_cast<uint32_t>(n);
        fs::remove_all(work);
        fs::copy(source, work, fs::copy_options::recursive);
        currentSeed = seed;
        alarm(120);
        const SessionResult result = playSession(work, seed);
        alarm(0);
        steps += result.steps;
        if (print) {
            std::cout << "# session " << seed << "\n" << result.script;
        }
        if (!result.passed) {
            std::cerr << "\nsession " << seed << " failed: " << result.failure << "\n"
                      << result.script;
            fs::remove_all(work);
            return 1;
        }
    }
    fs::remove_all(work);
    std::cout << count << " sessions of " << steps << " steps from seed " << firstSeed << " on "
              << source.filename().string() << ": no fault\n";
    return 0;
}
