#pragma once

#include <string>
#include <vector>

namespace wordvane {

// A message box that reading a file asks its caller to show: the text and the
// box's style (platform.h's kMb values). The lists code never shows messages
// itself; start-up shows them in order.
struct Message {
    std::u16string text;
    int style = 0;
};

using Messages = std::vector<Message>;

}  // namespace wordvane
