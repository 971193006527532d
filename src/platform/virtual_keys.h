#pragma once

namespace wordvane {

// Virtual-key codes the program sends or compares.
inline constexpr int kVkBack = 8;
inline constexpr int kVkTab = 9;
inline constexpr int kVkReturn = 13;
inline constexpr int kVkShift = 16;
inline constexpr int kVkControl = 17;
inline constexpr int kVkMenu = 18;  // Alt
inline constexpr int kVkEscape = 27;
inline constexpr int kVkSpace = 32;
inline constexpr int kVkPrior = 33;
inline constexpr int kVkNext = 34;
inline constexpr int kVkEnd = 35;
inline constexpr int kVkHome = 36;
inline constexpr int kVkLeft = 37;
inline constexpr int kVkUp = 38;
inline constexpr int kVkRight = 39;
inline constexpr int kVkDown = 40;
inline constexpr int kVkInsert = 45;
inline constexpr int kVkDelete = 46;
inline constexpr int kVkC = 0x43;
inline constexpr int kVkF = 0x46;
inline constexpr int kVkV = 0x56;
inline constexpr int kVkLeftWin = 0x5B;
inline constexpr int kVkRightWin = 0x5C;
inline constexpr int kVkRightMenu = 0xA5;  // the right Alt, AltGr on some layouts
// A key the input method takes for its composition (VK_PROCESSKEY): with the
// IME on, every letter, digit and punctuation key arrives as this.
inline constexpr int kVkProcessKey = 229;

}  // namespace wordvane
