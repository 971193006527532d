#pragma once

#include "platform/fake/fake_session.h"
#include "support/app_fixture.h"

namespace wordvane::test {

// A resident program over a standard program folder whose word lists hold the
// words ab (elements apple and apricot) and ac, with a user at the keyboard.
class CompletionTest : public AppTest {
  protected:
    FakeSession user{platform, app};

    // Writes word list 1 (list 2) and starts the program on it.
    void start(const std::vector<std::u16string>& wordList1 = {}) {
        folder.writeStandard();
        if (!wordList1.empty()) {
            folder.write("WordList1.txt", wordList1);
        }
        ASSERT_TRUE(app.shell.Form_Load());
        ASSERT_TRUE(platform.messages.empty());
        useList(2);
    }

    // Makes `list` the current list, as a list hotkey does.
    void useList(int list) {
        app.completion.switchList(static_cast<int16_t>(list),
                                  app.lists.listNames[static_cast<size_t>(list)]);
    }

    std::vector<std::u16string> shownItems() const {
        return app.forms.form1.visible() ? app.forms.form1.List1.items()
                                         : std::vector<std::u16string>{};
    }
    std::u16string selected() const { return app.forms.form1.List1.text(); }
};

}  // namespace wordvane::test
