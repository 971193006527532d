#pragma once

#include <array>
#include <optional>
#include <string>

namespace wordvane {

// vane.ini holds at most this many replacement sets.
inline constexpr int kMaxReplaceSets = 10;

inline constexpr char16_t kReplaceSetComment[] = u"/ ポップアップの設定";

// A replacement-set line of the settings file: name "/" before "/" after,
// then the comment. Inside a field "\/" is a slash and the field is in the
// one-line form. Empty when the line has fewer than three separators.
std::optional<std::array<std::u16string, 3>> splitReplaceSetLine(const std::u16string& line);

std::u16string formatReplaceSetLine(const std::u16string& name, const std::u16string& before,
                                    const std::u16string& after);

}  // namespace wordvane
