#pragma once

#include <string>

#include "platform/platform.h"

namespace wordvane {

inline constexpr char16_t kAppTitle[] = u"Wordvane";

// A message box with the program's title; returns the user's answer.
inline int showMessage(Platform& platform, const std::u16string& text, int style) {
    return platform.messageBox(text, kAppTitle, style);
}

}  // namespace wordvane
