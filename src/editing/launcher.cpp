#include "editing/launcher.h"

#include <algorithm>
#include <array>
#include <limits>

#include "lists/decimal_text.h"
#include "ui/message_box.h"
#include "util/ascii.h"

namespace wordvane {

namespace {

constexpr std::array<std::u16string_view, 9> kProgramSuffixes = {
    u".exe", u".bat", u".cmd", u".com", u".scr", u".lnk", u".hta", u".url", u".ps1"};

// Anything on another machine, or a file that runs code when opened: a
// type the system calls dangerous (scripts, installers, .reg, .cpl, .msc,
// .jar...) or one of the program suffixes, asked even where the system's
// list says nothing. A web address goes to the browser whatever it ends
// with (".com" is a site there, not a program).
bool runsSomething(Platform& platform, const std::u16string& target) {
    const std::u16string lower = asciiLowered(target);
    if (lower.starts_with(u"\\\\")) {
        return true;
    }
    if (lower.starts_with(u"http://") || lower.starts_with(u"https://")) {
        return false;
    }
    return platform.dangerousFileType(target) ||
           std::any_of(kProgramSuffixes.begin(), kProgramSuffixes.end(),
                       [&](std::u16string_view suffix) { return lower.ends_with(suffix); });
}

// A quote would end the path inside a command line; control characters have
// no place in an address.
bool openable(const std::u16string& target) {
    return std::none_of(target.begin(), target.end(),
                        [](char16_t c) { return c == u'"' || c < 0x20 || c == 0x7F; });
}

}  // namespace

std::u16string getFileOrFolderName(const std::u16string& path) {
    const size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? std::u16string() : path.substr(slash + 1);
}

Launcher::Launcher(Platform& platform, Lists& lists, Completion& completion, Insertion& insertion)
    : platform_(platform), lists_(lists), completion_(completion), insertion_(insertion) {}

bool Launcher::open(const std::u16string& target, Origin origin,
                    const std::function<void()>& opened) {
    if (!openable(target)) {
        showMessage(platform_, u"このアドレスは開けません。\r\n" + target, kMbIconExclamation);
        return false;
    }
    if (origin == Origin::Copied && runsSomething(platform_, target) &&
        showMessage(platform_,
                    u"このプログラムまたはネットワーク上の場所を開きますか?\r\n" + target,
                    kMbYesNo) != kIdYes) {
        return false;
    }
    // Only a code above 32 is success; 0 and 5 (access denied) are failures,
    // told in the system's words.
    platform_.shellOpen(target, [this, opened, target](int code, const std::u16string& why) {
        if (code <= 32) {
            showMessage(platform_, (why.empty() ? toDecimal(code) : why) + u"\r\n" + target, kMbOk);
        } else if (opened) {
            opened();
        }
    });
    return true;
}

void Launcher::tryShellExecute() {
    const std::optional<int16_t> entry = completion_.selectedEntry();
    if (!entry) {
        return;
    }
    const int16_t list = completion_.currentList();
    const int16_t openWord = completion_.openWord();
    const WordListClass& words = completion_.currentWords();
    // A launcher entry's address is its account, whatever the list's flags
    // say; elsewhere a list that replaces the abbreviation opens the account
    // and any other list the line itself.
    const int16_t part = list == kLauncherList || lists_.replaceAbbrev[static_cast<size_t>(list)];
    const std::u16string target =
        openWord == -1 ? words.getString(*entry, 0, part) : words.getString(openWord, *entry, part);
    if (!checkLink(target)) {
        std::u16string decide = u"decide";
        completion_.selectWord(decide);
        return;
    }
    // The list hides first, which frees Delete: the keys that erase the
    // abbreviation reach the application. On the launcher list it was typed
    // into the filter box, not into the application.
    const auto typed = static_cast<int16_t>(completion_.typedText().size());
    if (list == kLauncherList) {
        completion_.closeLauncherBox();
    }
    completion_.form_visible(false);
    if (list != kLauncherList) {
        insertion_.setBackSpace(typed);
    }
    open(target, list == kClipboardList ? Origin::Copied : Origin::UsersList,
         [this] { completion_.endCycle(); });
}

bool Launcher::addLaunch(const std::u16string& name, const std::u16string& account) {
    if (!lists_.addWord(kLauncherList, -1, name, account)) {
        showMessage(platform_, kListFullMessage, kMbIconExclamation);
        return false;
    }
    return true;
}

bool Launcher::checkLaunchAccount(const std::u16string& account) const {
    return lists_.words(kLauncherList)
               .findFirstAccount(account, std::numeric_limits<int16_t>::max()) != -1;
}

bool Launcher::checkLaunchName(const std::u16string& name) const {
    const WordListClass& words = lists_.words(kLauncherList);
    for (int w = 0; w <= words.getWordLength(); ++w) {
        const auto word = static_cast<int16_t>(w);
        if (words.getElementLength(word) >= 0 && words.peekString(word, 0, 0) == name) {
            return true;
        }
    }
    return false;
}

}  // namespace wordvane
