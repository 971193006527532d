#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lists/text_file.h"
#include "lists/word_list.h"

namespace wordvane {

// The header of a list file: how the list behaves in completion.
struct ListHeader {
    std::u16string name;
    std::u16string startChar;
    std::u16string elementKey;
    std::u16string cancelKeyLine;
    bool insertAtWordLevel = false;  // flag "t"
    bool replaceAbbrev = false;      // flag "r"
    int16_t displaySize = 0;         // 0 small, 1 middle, 2 large
};

enum class ListReadFailure {
    None,
    Open,         // cannot be read at all
    Count,        // line 8 is not a usable word count
    Read,         // empty file or name, missing header line, bad first separator, store error
    TooFewWords,  // fewer words than line 8 declared; what was read is kept
};

// Why a list file could not be read, for the message that says so.
enum class ListReadCause {
    None,
    TooManyWords,
    AccountMissing,
    NoName,            // an empty file, or an empty first line
    HeaderMissing,     // the file ends within lines 2 to 8
    NoFirstSeparator,  // line 9 does not begin with "/"
    TooManyElements,   // a word with more elements than a 16-bit index counts
};

struct ListReadOutcome {
    ListReadFailure failure = ListReadFailure::None;
    ListReadCause cause = ListReadCause::None;
};

// Reads the text of a list file into `header` and `list`, value by value;
// on a failure both keep what was read before it. The list keeps the text.
ListReadOutcome parseListFile(std::u16string text, ListHeader& header, WordListClass& list);
// The same from the file's lines.
ListReadOutcome parseListFile(const std::vector<std::u16string>& lines, ListHeader& header,
                              WordListClass& list);

// The text of a list file for `header` and `list`, each line ended by CR
// LF; or its lines.
std::u16string formatListText(const ListHeader& header, const WordListClass& list);
std::vector<std::u16string> formatListFile(const ListHeader& header, const WordListClass& list);
// The bytes of that text as a file of `form` (see textFileBytes); a code
// page 932 file is formatted straight into its bytes.
std::string listFileBytes(const ListHeader& header, const WordListClass& list, TextFileForm& form);

}  // namespace wordvane
