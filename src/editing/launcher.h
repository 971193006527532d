#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "completion/completion.h"
#include "completion/insertion.h"
#include "lists/lists.h"
#include "platform/platform.h"
#include "ui/forms.h"

namespace wordvane {

// The part of a path after its last "\"; empty when it has none.
std::u16string getFileOrFolderName(const std::u16string& path);

// Opening addresses through the shell, and the launcher list's entries.
class Launcher {
  public:
    Launcher(Platform& platform, Lists& lists, Completion& completion, Insertion& insertion);

    // Return on the shown list: opens the selected entry's address, or
    // inserts the entry when it is no address.
    void tryShellExecute();

    // Where an address to open comes from: a list the user wrote, or a copy
    // (the clipboard history, the text window's GO). A copied program or
    // network path is opened only after a question.
    enum class Origin { UsersList, Copied };
    // Hands `target` to the shell to open with no parameters; false when it
    // was not (a refused target or a No). When the shell fails the user is
    // told its code; when it succeeds `opened` runs.
    bool open(const std::u16string& target, Origin origin,
              const std::function<void()>& opened = nullptr);

    // False, with the user told, when the launcher list is full.
    bool addLaunch(const std::u16string& name, const std::u16string& account);
    bool checkLaunchAccount(const std::u16string& account) const;
    bool checkLaunchName(const std::u16string& name) const;

  private:
    Platform& platform_;
    Lists& lists_;
    Completion& completion_;
    Insertion& insertion_;
};

}  // namespace wordvane
