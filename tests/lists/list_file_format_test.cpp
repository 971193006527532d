#include "lists/list_file_format.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "lists/lists.h"
#include "support/program_folder.h"

namespace wordvane::test {
namespace {

struct Parsed {
    ListHeader header;
    WordListClass list;
    ListReadOutcome outcome;
};

Parsed parse(const std::vector<std::u16string>& lines) {
    Parsed parsed;
    parsed.outcome = parseListFile(lines, parsed.header, parsed.list);
    return parsed;
}

std::vector<std::u16string> withHeader(std::u16string startChar, std::u16string elementKey,
                                       std::u16string cancel, std::u16string t, std::u16string r,
                                       std::u16string size) {
    auto lines = listFile(u"名前", {{{u"a", u"1"}}}, startChar);
    lines[2] = std::move(elementKey);
    lines[3] = std::move(cancel);
    lines[4] = std::move(t);
    lines[5] = std::move(r);
    lines[6] = std::move(size);
    return lines;
}

TEST(ListFileHeader, ValuesAreReadByTheirFirstCharacterOrWholeSpelling) {
    auto p =
        parse(withHeader(u"ShiftSpace", u"ShiftSpace", u" ,return", u"True", u"Reverse", u"Large"));
    ASSERT_EQ(p.outcome.failure, ListReadFailure::None);
    EXPECT_EQ(p.header.startChar, u"ShiftSpace");
    EXPECT_EQ(p.header.elementKey, u"ShiftSpace");
    EXPECT_EQ(p.header.cancelKeyLine, u" ,return");
    EXPECT_TRUE(p.header.insertAtWordLevel);
    EXPECT_TRUE(p.header.replaceAbbrev);
    EXPECT_EQ(p.header.displaySize, 2);

    p = parse(withHeader(u";;x", u"null", u"", u"x", u"n", u"Small"));
    EXPECT_EQ(p.header.startChar, u";");
    EXPECT_EQ(p.header.elementKey, kNeverElementKey);
    EXPECT_FALSE(p.header.insertAtWordLevel);
    EXPECT_FALSE(p.header.replaceAbbrev);
    EXPECT_EQ(p.header.displaySize, 0);

    for (const char16_t* middle : {u"Middle", u"medium", u""}) {
        EXPECT_EQ(parse(withHeader(u"", u"", u"", u"t", u"r", middle)).header.displaySize, 1);
    }
    EXPECT_EQ(parse(withHeader(u"", u"Null", u"", u"t", u"r", u"")).header.elementKey, u"え");
    EXPECT_EQ(parse(withHeader(u"", u"NULL", u"", u"t", u"r", u"")).header.elementKey, u"N");
}

TEST(ListFileHeader, MarkersAreWrittenBackAsTheFileSpellsThem) {
    ListHeader header{u"名前", u";", u"え", u"い", true, true, 1};
    WordListClass list;
    list.addNewString(u"a", u"b");
    auto lines = formatListFile(header, list);
    EXPECT_EQ(std::vector<std::u16string>(lines.begin(), lines.begin() + 9),
              (std::vector<std::u16string>{u"名前", u";", u"Null", u"", u"true", u"reverse",
                                           u"middle", u"1", u"/"}));
    header.elementKey = kNoElementKey;
    header.displaySize = 0;
    EXPECT_EQ(formatListFile(header, list)[2], u"");
    EXPECT_EQ(formatListFile(header, list)[6], u"small");
    header.displaySize = 7;
    EXPECT_EQ(formatListFile(header, list)[6], u"large");
}

TEST(ListFileBody, SeparatorsCommentsAccountsAndEmptyNames) {
    const std::vector<std::u16string> lines{u"L",
                                            u"",
                                            u"",
                                            u"",
                                            u"false",
                                            u"normal",
                                            u"middle",
                                            u"3",
                                            u"/ first word",
                                            u"",
                                            u"account of an empty name",
                                            u"x",
                                            u"/ looks like a separator but is an account",
                                            u"/ comment after the slash",
                                            u"/",
                                            u"y",
                                            u"C:\\temp\\n\\\\n"};
    const auto p = parse(lines);
    ASSERT_EQ(p.outcome.failure, ListReadFailure::None);
    EXPECT_EQ(p.list.getWordLength(), 2);
    EXPECT_EQ(p.list.getElementLength(0), 1);
    EXPECT_EQ(p.list.getString(0, 0, 0), u"");
    EXPECT_EQ(p.list.getString(0, 1, 1), u"/ looks like a separator but is an account");
    EXPECT_EQ(p.list.getElementLength(1), -1) << "two separators in a row: a word without elements";
    EXPECT_EQ(p.list.getString(2, 0, 1), u"C:\\temp\r\n\\n");
}

TEST(ListFileBody, ZeroWordsIsAnEmptyListAndAnythingAfterItTooMany) {
    auto lines = listFile(u"L", {});
    const auto empty = parse(lines);
    EXPECT_EQ(empty.outcome.failure, ListReadFailure::None);
    EXPECT_EQ(formatListFile(empty.header, empty.list), lines) << "written as it was read";
    lines.push_back(u"a");
    lines.push_back(u"b");
    EXPECT_EQ(parse(lines).outcome.cause, ListReadCause::TooManyWords);
    lines.resize(9);
    lines.push_back(u"/");
    EXPECT_EQ(parse(lines).outcome.cause, ListReadCause::TooManyWords);
    lines[7] = u"-1";
    EXPECT_EQ(parse(lines).outcome.failure, ListReadFailure::Count);
    lines[7] = u"40000";
    EXPECT_EQ(parse(lines).outcome.failure, ListReadFailure::Count);
}

TEST(ListFileBody, MissingHeaderLinesAndABadFirstSeparatorFail) {
    auto lines = listFile(u"L", {{{u"a", u"1"}}});
    for (size_t keep = 0; keep < 9; ++keep) {
        const std::vector<std::u16string> cut(lines.begin(),
                                              lines.begin() + static_cast<long>(keep));
        EXPECT_EQ(parse(cut).outcome.failure, ListReadFailure::Read) << keep << " lines";
    }
    lines[8] = u"word";
    EXPECT_EQ(parse(lines).outcome.failure, ListReadFailure::Read);
}

TEST(ListFileRoundTrip, WrittenListsReadBackTheSame) {
    ListHeader header{u"往復", u"ShiftSpace", u"ShiftSpace", u"up,Down,.", false, true, 2};
    WordListClass list;
    list.addNewString(u"first", u"line one\r\nline two");
    list.addNewWord(0, u"パス", u"\\\\server\\share\\n");
    list.addNewWord(0, u"", u"ends with a backslash \\");
    list.addNewString(u"second", u"");
    list.addNewString(u"/starts with a slash", u"/account");
    list.addNewWord(2, u" /a blank, then a slash", u"");
    list.addNewWord(2, u"name\r\nwith a break", u"x");

    const auto lines = formatListFile(header, list);
    const auto p = parse(lines);
    ASSERT_EQ(p.outcome.failure, ListReadFailure::None);
    EXPECT_EQ(p.header.name, header.name);
    EXPECT_EQ(p.header.cancelKeyLine, header.cancelKeyLine);
    EXPECT_EQ(p.header.displaySize, 2);
    ASSERT_EQ(p.list.getWordLength(), 2);
    for (int16_t w = 0; w <= 1; ++w) {
        ASSERT_EQ(p.list.getElementLength(w), list.getElementLength(w));
        for (int16_t e = 0; e <= list.getElementLength(w); ++e) {
            EXPECT_EQ(p.list.getString(w, e, 0), list.getString(w, e, 0));
            EXPECT_EQ(p.list.getString(w, e, 1), list.getString(w, e, 1));
        }
    }
    // A name that begins with "/" is written behind a blank, so that the
    // line is no separator, and comes back without it.
    EXPECT_EQ(p.list.getString(2, 0, 0), u"/starts with a slash");
    EXPECT_EQ(p.list.getString(2, 1, 0), u" /a blank, then a slash");
    EXPECT_NE(std::find(lines.begin(), lines.end(), u" /starts with a slash"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), u"  /a blank, then a slash"), lines.end());
    // A line break in a name would break the file's structure: it is kept
    // intact instead.
    EXPECT_EQ(p.list.getString(2, 2, 0), u"name\\nwith a break");
    EXPECT_EQ(p.list.getString(2, 2, 1), u"x");
    EXPECT_EQ(formatListFile(p.header, p.list), lines)
        << "reading and writing again changes nothing";
}

}  // namespace
}  // namespace wordvane::test
