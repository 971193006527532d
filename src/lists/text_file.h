#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace wordvane {

// The lines of a text, without their line ends. CR LF ends a line, and so do
// a lone LF and a lone CR (files edited elsewhere); a line end at the very end
// of the text does not start another line.
std::vector<std::u16string> splitLines(const std::u16string& text);

// A text file in the ANSI code page, as lines. Empty when it cannot be read.
std::optional<std::vector<std::u16string>> readTextLines(Platform& platform,
                                                         const std::u16string& path);

// Writes the lines, each ended by CR LF. The file is replaced whole or, on
// failure, left as it was.
bool writeTextLines(Platform& platform, const std::u16string& path,
                    const std::vector<std::u16string>& lines);

// The file name part of a path.
std::u16string fileNameOf(const std::u16string& path);

}  // namespace wordvane
