#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lists/text_encoding.h"
#include "platform/platform.h"

namespace wordvane {

// The lines of a text, without their line ends. CR LF ends a line, and so do
// a lone LF and a lone CR (files edited elsewhere); a line end at the very end
// of the text does not start another line.
std::vector<std::u16string> splitLines(const std::u16string& text);

// How a text file was read, so that it is written back the same way: its
// encoding and, for a file whose bytes were not all characters, the lines
// the program would write right after reading it; a save that would write
// just those leaves the file alone, so that a lossy read never replaces what
// the user wrote.
struct TextFileForm {
    TextEncoding encoding = TextEncoding::Cp932;
    bool exact = true;
    std::vector<std::u16string> linesAsRead;

    // The form of another file written from the same text (a copy, a file
    // saved elsewhere): the same encoding, nothing read.
    TextFileForm forAnotherFile() const { return TextFileForm{encoding, true, {}}; }
};

struct TextFileLines {
    std::vector<std::u16string> lines;
    TextFileForm form;
};

// A text file as lines, in the encoding its bytes show (see decodeText).
// Empty when it cannot be read.
std::optional<TextFileLines> readTextLines(Platform& platform, const std::u16string& path);

enum class TextSave {
    Written,
    // Written over a file that was not read exactly; the old file is kept as
    // PATH.bak, which the user is told once.
    WrittenOverInexact,
    // A file that was not read exactly and has not changed: left alone.
    LeftAlone,
    // Not written: the old file is as it was.
    Failed,
    // The old file could not be replaced: the new text is in PATH.saving.
    LeftAside,
};

// Writes the lines, each ended by CR LF, in `form`'s encoding, the previous
// file kept as PATH.bak. Text that would not read back the same in it (code
// page 932 cannot hold a character) goes out as UTF-8 with a byte-order
// mark, and `form` keeps that encoding from then on.
TextSave writeTextLines(Platform& platform, const std::u16string& path,
                        const std::vector<std::u16string>& lines, TextFileForm& form);

// What the user is told after saving `fileName`; empty when all went well.
std::u16string textSaveMessage(const std::u16string& fileName, TextSave save);

// The file name part of a path.
std::u16string fileNameOf(const std::u16string& path);

}  // namespace wordvane
