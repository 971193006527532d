#pragma once

// The simulated desktop of wordvane-sim: Wordvane's real core on the fake
// platform over a program folder, driven one script step at a time, and what
// the user would see after each step.

#include <algorithm>
#include <map>
#include <ostream>
#include <stdexcept>
#include <string>

#include "app/app.h"
#include "hotkeys/hotkey_ids.h"
#include "lists/decimal_text.h"
#include "lists/list_files.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_session.h"
#include "util/utf8.h"
#include "wordvane-sim/script.h"

namespace wordvane::sim {

// A text in double quotes, with line breaks, tabs, quotes and backslashes
// escaped.
inline std::string quotedText(const std::u16string& text) {
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
        } else if (isHighSurrogate(c) && i + 1 < text.size()) {
            out += toUtf8(text.substr(i, 2));  // a character beyond the BMP is one
            ++i;
        } else {
            out += toUtf8(std::u16string(1, c));
        }
    }
    return out + "\"";
}

// A key the program sent, by the name the `key` step knows it by.
inline std::string keyName(int virtualKey) {
    switch (virtualKey) {
        case kVkShift:
            return "shift";
        case kVkControl:
            return "ctrl";
        case kVkMenu:
            return "alt";
        default:
            break;
    }
    for (const char16_t* name :
         {u"backspace", u"tab", u"return", u"esc", u"space", u"pageup", u"pagedown", u"end",
          u"home", u"left", u"up", u"right", u"down", u"insert", u"delete"}) {
        if (FakeSession::virtualKeyNamed(name) == virtualKey) {
            return toUtf8(name);
        }
    }
    if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
        return std::string(1, static_cast<char>(virtualKey >= 'A' ? virtualKey + 32 : virtualKey));
    }
    return std::to_string(virtualKey);
}

// The lines of a list with the selected one in brackets.
inline std::string listLine(const std::vector<std::u16string>& items, int selectedIndex) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        const bool selected = static_cast<int>(i) == selectedIndex;
        out +=
            " " + std::string(selected ? "[" : "") + quotedText(items[i]) + (selected ? "]" : "");
    }
    return out;
}

inline std::string listLine(const ui::ListBox& list) {
    return listLine(list.items(), list.listIndex());
}

class Simulation {
  public:
    Simulation(const std::string& folder, bool printState)
        : platform_(folder), app_(platform_), printState_(printState) {
        platform_.clipboard = std::u16string();
    }

    bool start() { return app_.shell.Form_Load(); }
    // The files start-up read in an encoding other than Shift_JIS, or not
    // exactly, a line each ("  file: WordList1.txt UTF-8").
    void printEncodings(std::ostream& out) const {
        const auto line = [&out](const std::u16string& name, const TextFileForm& form) {
            if (form.encoding != TextEncoding::Cp932 || !form.exact) {
                out << "  file: " << toUtf8(name) << " " << form.describe() << "\n";
            }
        };
        line(kSettingsFileName, app_.shell.settingsForm());
        for (int list = 0; list < app_.lists.loadedListCount; ++list) {
            line(listFileName(list), app_.lists.fileForms[static_cast<size_t>(list)]);
        }
    }

    void run(const sim::Step& step) {
        if (step.verb != "menu") {
            platform_.openMenu = nullptr;  // any other action closes a pop-up menu
        }
        if (step.verb == "type") {
            user_.type(sim::unescape(step.text));
        } else if (step.verb == "key") {
            pressKey(step.text);
        } else if (step.verb == "hotkey") {
            hotkey(step.text);
        } else if (step.verb == "tick") {
            const auto count = parseInt32(step.text.empty() ? u"1" : step.text);
            if (!count || *count < 0) {
                throw ScriptError("tick needs a count");
            }
            user_.tick(*count);
        } else if (step.verb == "clip") {
            user_.copy(sim::unescape(step.text));
        } else if (step.verb == "secret") {
            user_.copy(sim::unescape(step.text));
            platform_.clipboardExcluded = true;
        } else if (step.verb == "selectall") {
            user_.selectAll();
        } else if (step.verb == "select") {
            const size_t blank = step.text.find(u' ');
            require(blank != std::u16string::npos, "select needs FROM LENGTH");
            const int32_t from = parseInt32(step.text.substr(0, blank)).value_or(-1);
            const int32_t length = parseInt32(step.text.substr(blank + 1)).value_or(-1);
            require(from >= 0 && length >= 0, "select needs FROM LENGTH");
            user_.select(static_cast<size_t>(from), static_cast<size_t>(length));
        } else if (step.verb == "shell") {
            const auto code = parseInt32(step.text);
            require(code.has_value(), "shell needs the code the shell answers with");
            platform_.shellAnswer = *code;
        } else if (step.verb == "wait") {
            wait(step.text);
        } else if (step.verb == "line") {
            // The add-word dialog's list when it is up, else the candidate list.
            const bool dialog = app_.forms.form3.visible();
            ui::ListBox& list = dialog ? app_.forms.form3.List1 : app_.forms.form1.List1;
            const auto line = parseInt32(step.text);
            require((dialog || app_.forms.form1.visible()) && line && *line >= 0 &&
                        *line < list.listCount(),
                    "the shown list has no line " + toUtf8(step.text));
            list.click(static_cast<int16_t>(*line));
        } else if (step.verb == "check") {
            require(user_.toggleCheckBox(step.text),
                    "no shown window has the check box " + toUtf8(step.text));
        } else if (step.verb == "choose") {
            require(user_.chooseComboEntry(sim::unescape(step.text)),
                    "no shown drop-down list has " + toUtf8(step.text));
        } else if (step.verb == "rightclick") {
            require(app_.forms.form1.visible(), "the list is not shown");
            user_.rightClickList();
        } else if (step.verb == "answer") {
            answer(step.text);
        } else if (step.verb == "tray") {
            if (step.text != u"left" && step.text != u"right") {
                throw ScriptError("tray needs left or right");
            }
            user_.trayIcon(step.text == u"left" ? kTrayLeftButtonUp : kTrayRightButtonUp);
        } else if (step.verb == "menu") {
            require(user_.chooseMenuItem(sim::unescape(step.text)),
                    "no open menu has the item " + toUtf8(step.text) + " (or it is grey)");
        } else if (step.verb == "click") {
            require(user_.click(sim::unescape(step.text)),
                    "no shown window has the button " + toUtf8(step.text));
        } else if (step.verb == "focus") {
            require(user_.focus(step.text), "no shown window has the control " + toUtf8(step.text));
        } else if (step.verb == "field") {
            require(user_.typeIntoField(sim::unescape(step.text)), "no field has the focus");
        } else if (step.verb == "ime") {
            user_.imeCommit(sim::unescape(step.text));
        } else if (step.verb == "retype") {
            require(user_.typeIntoField(sim::unescape(step.text), true), "no field has the focus");
        }
    }

    // The next question's answer: a click on yes or no, or a key pressed in
    // the box (Return for its default button yes, y, n).
    void answer(const std::u16string& how) {
        static const std::map<std::u16string, std::pair<int, int>> kAnswers = {
            {u"yes", {kIdYes, 0}},
            {u"no", {kIdNo, 0}},
            {u"return", {kIdYes, kVkReturn}},
            {u"y", {kIdYes, 'Y'}},
            {u"n", {kIdNo, 'N'}}};
        const auto found = kAnswers.find(how);
        require(found != kAnswers.end(), "answer needs yes, no, return, y or n");
        platform_.messageAnswers.push_back(found->second.first);
        platform_.messageAnswerKeys.push_back(found->second.second);
    }

    // The clock moves on by N minutes ("5m") or seconds ("30s") while the
    // user does nothing; no tick passes.
    void wait(const std::u16string& text) {
        const bool minutes = text.ends_with(u"m");
        const auto amount = parseInt32(text.substr(0, text.size() - 1));
        require((minutes || text.ends_with(u"s")) && amount && *amount >= 0,
                "wait needs minutes (5m) or seconds (30s)");
        platform_.now += static_cast<uint64_t>(*amount) * (minutes ? 60000 : 1000);
    }

    void print(std::ostream& out) {
        for (; messagesShown_ < platform_.messages.size(); ++messagesShown_) {
            out << "  message: " << quotedText(platform_.messages[messagesShown_].text) << "\n";
        }
        for (; openedShown_ < platform_.shellOpened.size(); ++openedShown_) {
            out << "  shell opens: " << quotedText(platform_.shellOpened[openedShown_]) << "\n";
        }
        const ui::Form1& form1 = app_.forms.form1;
        out << "  window: " << (form1.visible() ? "shown " : "hidden ")
            << quotedText(form1.caption()) << "\n";
        if (form1.visible()) {
            out << "  list:" << listLine(form1.List1) << "\n";
            out << "  text1: " << quotedText(form1.Text1.text()) << "\n";
            for (const ui::Button* button : {&form1.Command1, &form1.Command2}) {
                if (button->visible()) {
                    out << "  button: " << quotedText(button->caption()) << "\n";
                }
            }
        }
        for (int number : user_.shownWindows()) {
            if (number != 1) {
                printWindow(out, number);
            }
        }
        if (platform_.openMenu != nullptr) {
            printMenu(out, *platform_.openMenu);
        }
        out << "  app: " << quotedText(user_.applicationText()) << "\n";
        out << "  clipboard: " << quotedText(platform_.clipboard.value_or(u"")) << "\n";
        if (printState_) {
            printEngineState(out);
        }
    }

    bool ended() const { return platform_.exited; }

    // The program, the desktop and the user, for a generator of sessions
    // that chooses its next step from what is shown.
    App& app() { return app_; }
    FakePlatform& platform() { return platform_; }
    FakeSession& user() { return user_; }

  private:
    static void require(bool done, const std::string& what) {
        if (!done) {
            throw ScriptError(what);
        }
    }

    void printWindow(std::ostream& out, int number) {
        const ui::Window& window = app_.forms.byNumber(number);
        out << "  form" << number << ": " << quotedText(window.caption()) << "\n";
        for (const ui::ControlSlot& slot : window.controls()) {
            const ui::Control& control = *slot.control;
            if (!control.visible()) {
                continue;
            }
            out << "    " << slot.name << ":";
            switch (control.kind()) {
                case ui::ControlKind::ListBox:
                    out << listLine(static_cast<const ui::ListBox&>(control));
                    break;
                case ui::ControlKind::TextBox:
                    out << " field " << quotedText(static_cast<const ui::TextBox&>(control).text());
                    break;
                case ui::ControlKind::Button:
                    out << " button "
                        << quotedText(static_cast<const ui::Button&>(control).caption());
                    break;
                case ui::ControlKind::Label:
                    out << " label "
                        << quotedText(static_cast<const ui::Label&>(control).caption());
                    break;
                case ui::ControlKind::CheckBox: {
                    const auto& check = static_cast<const ui::CheckBox&>(control);
                    out << " check " << (check.checked() ? "[x] " : "[ ] ")
                        << quotedText(check.caption());
                    break;
                }
                case ui::ControlKind::ComboBox: {
                    const auto& combo = static_cast<const ui::ComboBox&>(control);
                    // The chosen entry of the drop-down list, and how many it has.
                    const int16_t chosen = combo.listIndex();
                    out << " combo "
                        << (chosen >= 0 && static_cast<size_t>(chosen) < combo.items().size()
                                ? quotedText(combo.items()[static_cast<size_t>(chosen)])
                                : std::string("none"))
                        << " of " << combo.items().size();
                    break;
                }
            }
            out << (control.focused() ? " (focus)" : "") << "\n";
        }
    }

    // The open menu's visible items; a checked one is marked with "*", a
    // submenu lists its items in brackets.
    static void printMenuItems(std::ostream& out, const ui::MenuItem& menu) {
        for (const ui::MenuItem* item : menu.children) {
            if (!item->visible() || item->caption() == u"-") {
                continue;
            }
            out << " " << (item->checked() ? "*" : "") << quotedText(item->caption())
                << (item->enabled() ? "" : "(grey)");
            if (!item->children.empty()) {
                out << " [";
                printMenuItems(out, *item);
                out << " ]";
            }
        }
    }

    static void printMenu(std::ostream& out, const ui::Menu& menu) {
        out << "  menu " << quotedText(menu.caption()) << ":";
        printMenuItems(out, menu);
        out << "\n";
    }

    void printEngineState(std::ostream& out) {
        const Completion& completion = app_.completion;
        out << "  state: list " << completion.currentList() << ", openWord "
            << completion.openWord() << ", typedText " << quotedText(completion.typedText())
            << ", shownText " << quotedText(completion.shownText()) << "\n";
        out << "  keys:";
        for (; keysShown_ < platform_.sentKeys.size(); ++keysShown_) {
            const auto [key, up] = platform_.sentKeys[keysShown_];
            out << " " << keyName(key) << (up ? "-" : "+");
        }
        out << "\n";
    }

    void pressKey(const std::u16string& spec) {
        std::u16string name = spec;
        bool ctrl = false;
        bool shift = false;
        bool alt = false;
        for (bool found = true; found;) {
            found = false;
            for (auto [prefix, flag] : {std::pair{u"ctrl+", &ctrl}, std::pair{u"shift+", &shift},
                                        std::pair{u"alt+", &alt}}) {
                const std::u16string_view modifier = prefix;
                if (name.rfind(modifier, 0) == 0) {
                    *flag = found = true;
                    name = name.substr(modifier.size());
                }
            }
        }
        int key = FakeSession::virtualKeyNamed(name);
        if (key == 0) {
            if (const auto code = parseInt32(name); code && *code > 0 && *code < 256) {
                key = *code;
            }
        }
        if (key == 0) {
            throw ScriptError("unknown key: " + toUtf8(name));
        }
        if (name.size() == 1 && name[0] >= u'A' && name[0] <= u'Z') {
            shift = true;
        }
        user_.press(key, shift, ctrl, alt);
    }

    // The hotkey's keys go down and up as on the desktop: the program gets
    // the hotkey while it holds it, the application gets the key otherwise.
    void hotkey(const std::u16string& name) {
        if (name.rfind(u"list ", 0) == 0) {
            const auto list = parseInt32(name.substr(5));
            require(list && *list >= 0 && *list < 7, "hotkey list needs 0 to 6");
            const HotKeyCombination keys =
                app_.hotkeys.listCombinations()[static_cast<size_t>(*list)];
            if ((keys.modifiers & kModWin) != 0 || keys.key <= 0) {
                user_.listHotkey(*list);  // no key of the simulated keyboard
                return;
            }
            user_.press(keys.key, (keys.modifiers & kModShift) != 0,
                        (keys.modifiers & kModControl) != 0, (keys.modifiers & kModAlt) != 0);
            return;
        }
        const int key = FakeSession::virtualKeyNamed(name);
        const bool navigation =
            std::any_of(kNavigationHotKeys.begin(), kNavigationHotKeys.end(),
                        [&](const NavigationHotKey& hotKey) {
                            return hotKey.virtualKey == key && hotKey.modifiers == 0;
                        });
        require(navigation, "unknown hotkey: " + toUtf8(name));
        user_.press(key);
    }

    FakePlatform platform_;
    App app_;
    FakeSession user_{platform_, app_};
    bool printState_;
    size_t messagesShown_ = 0;
    size_t openedShown_ = 0;
    size_t keysShown_ = 0;
};

}  // namespace wordvane::sim
