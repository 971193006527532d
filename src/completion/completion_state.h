#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace wordvane {

inline constexpr char16_t kSeparatorLabel[] = u"-----------------------------";

// The completion engine's state on Form1.
struct CompletionState {
    bool skipNextKey = false;
    std::u16string typedText;
    std::u16string pendingKey;
    std::u16string shownText;
    std::u16string lastClipText;
    std::u16string lastPopupLink;
    bool reshowListPending = false;
    bool keepDuplicateOnce = false;
    bool doubleCtrlSelecting = false;
    bool forcedList = false;
    int16_t displaySize = 0;
    int16_t lastListIndex = 0;
    int16_t openWord = -1;
    bool seriesActive = false;
    int16_t seriesCurrent = 0;
    std::u16string separatorLabel;
    int32_t screenWidthPx = 0;
    int32_t screenHeightPx = 0;
    // Width and height in pixels of the small, middle and large list window.
    std::array<std::array<int32_t, 2>, 3> windowSizePx{};
    // Cancel key k (0..9) of list i at index k * 7 + i.
    std::array<std::u16string, 70> cancelKeys;

    // Tick counters and flags.
    int16_t clipTickCount = 0;
    bool pasteKeyArmed = false;
    bool afterDecide = false;  // the next "return" spelling is ignored
    int16_t balloonTicks = 0;
    bool linkPopupShown = false;
};

}  // namespace wordvane
