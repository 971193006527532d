#pragma once

#include <optional>
#include <string>
#include <vector>

#include "lists/one_line_text.h"
#include "lists/text_encoding.h"
#include "platform/platform.h"

namespace wordvane {

// The lines of a text, without their line ends. CR LF ends a line, and so do
// a lone LF and a lone CR (files edited elsewhere); a line end at the very end
// of the text does not start another line.
std::vector<std::u16string> splitLines(std::u16string_view text);
// The line of `text` that starts at `from`, and where the next one starts.
inline std::u16string_view lineAt(std::u16string_view text, size_t from, size_t& next) {
    size_t end = from;
    while (end < text.size() && !isLineBreak(text[end])) {
        ++end;
    }
    next = end + lineBreakLength(text, end);
    return text.substr(from, end - from);
}
// Lines as the text of a file: each ended by CR LF.
std::u16string joinLines(const std::vector<std::u16string>& lines);

// How a text file was read, so that it is written back the same way: its
// encoding and, for a file whose bytes were not all characters, the text
// the program would write right after reading it; a save that would write
// just that leaves the file alone, so that a lossy read never replaces what
// the user wrote.
struct TextFileForm {
    TextEncoding encoding = TextEncoding::Cp932;
    bool exact = true;
    std::u16string textAsRead;

    // The form of another file written from the same text (a copy, a file
    // saved elsewhere): the same encoding, nothing read.
    TextFileForm forAnotherFile() const { return TextFileForm{encoding, true, {}}; }
    // "UTF-8", or "Shift_JIS, not read exactly", for the tools' reports.
    std::string describe() const {
        return std::string(encodingName(encoding)) + (exact ? "" : ", not read exactly");
    }
};

struct TextFile {
    std::u16string text;
    TextFileForm form;
};
struct TextFileLines {
    std::vector<std::u16string> lines;
    TextFileForm form;
};

// A text file in the encoding its bytes show (see decodeText), whole or as
// lines. Empty when it cannot be read.
std::optional<TextFile> readTextFile(Platform& platform, const std::u16string& path);
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

// Writes the text (its lines ended by CR LF) in `form`'s encoding, the
// previous file kept as PATH.bak. Text that would not read back the same in
// it (code page 932 cannot hold a character) goes out as UTF-8 with a
// byte-order mark, and `form` keeps that encoding from then on.
TextSave writeText(Platform& platform, const std::u16string& path, const std::u16string& text,
                   TextFileForm& form);
// The bytes writeText writes (`form`'s encoding may change to UTF-8).
std::string textFileBytes(const std::u16string& text, TextFileForm& form);
// Writes a text file's bytes made for `form` (the part of writeText after
// the bytes are made).
TextSave writeTextBytes(Platform& platform, const std::u16string& path, const std::string& bytes,
                        TextFileForm& form);
// The bytes writeText would write, or none when it leaves the file alone.
std::optional<std::string> textSaveBytes(const std::u16string& text, TextFileForm& form);
// How a write of bytes made for `form` went, and `form` as the file now is.
TextSave savedAs(FileWrite write, TextFileForm& form);
TextSave writeTextLines(Platform& platform, const std::u16string& path,
                        const std::vector<std::u16string>& lines, TextFileForm& form);

// What the user is told after saving `fileName`; empty when all went well.
std::u16string textSaveMessage(const std::u16string& fileName, TextSave save);

// The file name part of a path.
std::u16string fileNameOf(const std::u16string& path);

}  // namespace wordvane
