#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace wordvane {

// The options of the settings file, as the program holds them.
struct Settings {
    std::array<bool, 2> listEnabled{};  // [0] launcher list, [1] clipboard history
    int16_t clipHistorySize = 0;
    int16_t textEraseTime = 0;  // ticks
    int16_t balloonTime = 0;    // ticks
    bool showStartChar = false;
    bool confirmSaveOnExit = false;
    int32_t clipMaxBytes = 0;
    double separatorInterval = -1;  // days; negative: no separators
    int16_t doubleCtrlWait = -1;    // ticks; -1: off
    int32_t largeDescMaxWidth = 0;  // twips; negative (as read): the size never changes
    PixelScale largeDescScale;      // the scale it was read at
    // The lines after the hotkeys as the file had them: the place of a
    // replacement set (empty), or a line the program does not use (a blank
    // line, a comment, a set beyond the tenth), written back as it was.
    std::vector<std::optional<std::u16string>> replaceSetArea;
};

}  // namespace wordvane
