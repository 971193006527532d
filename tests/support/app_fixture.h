#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app.h"
#include "platform/fake/fake_platform.h"
#include "support/program_folder.h"

namespace wordvane::test {

// A program on the fake desktop over a program folder of its own.
class AppTest : public ::testing::Test {
  protected:
    ProgramFolder folder;
    FakePlatform platform{folder.path()};
    App app{platform};

    std::vector<std::u16string> messageTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& message : platform.messages) {
            texts.push_back(message.text);
        }
        return texts;
    }
};

}  // namespace wordvane::test
