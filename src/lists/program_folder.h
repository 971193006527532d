#pragma once

#include <string>

#include "platform/platform.h"

namespace wordvane {

// The folder of the program file, ending in a path separator: every file of
// the program lives there.
inline std::u16string programFolder(Platform& platform) {
    std::u16string folder = platform.programFolder();
    if (folder.empty() || (folder.back() != u'\\' && folder.back() != u'/')) {
        folder += u'\\';
    }
    return folder;
}

}  // namespace wordvane
