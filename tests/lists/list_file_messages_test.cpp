// What start-up says and does for each kind of broken list file, for the
// launcher list, the clipboard list and a word list.

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace wordvane::test {
namespace {

enum class Breakage {
    Missing,
    ZeroBytes,
    BadCount,
    EmptyName,
    HeaderMissing,
    TooManyWords,
    AccountMissing,
    TooFewWords
};

std::vector<std::u16string> brokenList(Breakage breakage) {
    auto lines = listFile(u"壊れた", {{{u"a", u"1"}}, {{u"b", u"2"}}});
    switch (breakage) {
        case Breakage::BadCount:
            lines[7] = u"two";
            break;
        case Breakage::EmptyName:
            lines[0] = u"";
            break;
        case Breakage::ZeroBytes:
            lines.clear();
            break;
        case Breakage::HeaderMissing:
            lines.resize(5);
            break;
        case Breakage::TooManyWords:
            lines[7] = u"1";
            break;
        case Breakage::AccountMissing:
            lines.pop_back();
            break;
        case Breakage::TooFewWords:
            lines[7] = u"3";
            break;
        case Breakage::Missing:
            break;
    }
    return lines;
}

struct Case {
    std::string file;
    int list;
    Breakage breakage;
    std::vector<std::u16string> messages;
    bool programEnds;
};

class BrokenListFile : public AppTest, public ::testing::WithParamInterface<Case> {};

TEST_P(BrokenListFile, ShowsItsMessagesAndStopsReading) {
    const Case& c = GetParam();
    folder.writeStandard();
    if (c.breakage == Breakage::Missing) {
        folder.remove(c.file);
    } else {
        folder.write(c.file, brokenList(c.breakage));
    }
    app.shell.Form_Load();

    EXPECT_EQ(messageTexts(), c.messages);
    for (const auto& message : platform.messages) {
        EXPECT_EQ(message.title, u"Wordvane");
        EXPECT_EQ(message.style, kMbIconExclamation);
    }
    EXPECT_EQ(platform.exited, c.programEnds);
    EXPECT_EQ(app.shell.abortingLoad(), c.programEnds);
    EXPECT_EQ(app.lists.loadedListCount, c.list);
    EXPECT_TRUE(platform.writtenFiles.empty()) << "nothing is saved after a list-file failure";
    if (!c.programEnds) {
        auto& menu = app.forms.form1.mnuModeMenu;
        const bool keepsName = c.breakage == Breakage::TooFewWords;
        EXPECT_EQ(app.lists.listNames[static_cast<size_t>(c.list)], keepsName ? u"壊れた" : u"");
        EXPECT_EQ(menu.mnuMode[static_cast<size_t>(c.list)].visible(), keepsName);
        for (size_t later = static_cast<size_t>(c.list) + 1; later < 7; ++later) {
            EXPECT_FALSE(menu.mnuMode[later].visible()) << "list " << later << " is not read";
            EXPECT_EQ(app.lists.listNames[later], u"");
        }
    }
}

const std::u16string kLaunchOpen =
    u"ファイルLaunch.txtが読み取れませんでした。\r\nプログラムを終了します。";
const std::u16string kClipOpen =
    u"ファイルClipBoad.txtが読み取れませんでした。\r\nプログラムを終了します。";
// The lists that reading did not reach are named after the failure.
const std::u16string kAfterLaunch =
    u"Launch.txtを読み終えられなかったため、次のファイルは読み込まれていません。\r\n"
    u"ClipBoad.txt、WordList1.txt、WordList2.txt、WordList3.txt、WordList4.txt、WordList5.txt";
const std::u16string kAfterClip =
    u"ClipBoad.txtを読み終えられなかったため、次のファイルは読み込まれていません。\r\n"
    u"WordList1.txt、WordList2.txt、WordList3.txt、WordList4.txt、WordList5.txt";
const std::u16string kAfterWordList2 =
    u"WordList2.txtを読み終えられなかったため、次のファイルは読み込まれていません。\r\n"
    u"WordList3.txt、WordList4.txt、WordList5.txt";

INSTANTIATE_TEST_SUITE_P(
    Launcher, BrokenListFile,
    ::testing::Values(
        Case{"Launch.txt", 0, Breakage::Missing, {kLaunchOpen}, true},
        Case{"Launch.txt",
             0,
             Breakage::BadCount,
             {u"ファイルLaunch.txtの数字の指定が適切ではありません。\r\nプログラムを終了します。"},
             true},
        Case{"Launch.txt",
             0,
             Breakage::EmptyName,
             {u"Launch.txtの読み込みに失敗しました。\r\n1行目にリストの名前がありません。",
              kLaunchOpen},
             true},
        Case{"Launch.txt",
             0,
             Breakage::TooManyWords,
             {u"Launch.txtの読み込みに失敗しました。\r\n単語の数が指定されている数より大きいです。",
              kLaunchOpen},
             true},
        Case{"Launch.txt",
             0,
             Breakage::AccountMissing,
             {u"Launch.txtで説明の読み取りに失敗しました。", kLaunchOpen},
             true},
        Case{"Launch.txt",
             0,
             Breakage::TooFewWords,
             {u"Launch."
              u"txtの読み込みに失敗しました。\r\n単語の数が指定されている数よりも少ないです。",
              kAfterLaunch},
             false}));

INSTANTIATE_TEST_SUITE_P(
    Clipboard, BrokenListFile,
    ::testing::Values(
        Case{"ClipBoad.txt", 1, Breakage::Missing, {kClipOpen}, true},
        Case{
            "ClipBoad.txt",
            1,
            Breakage::BadCount,
            {u"ファイルClipBoad.txtの数字の指定が適切ではありません。\r\nプログラムを終了します。"},
            true},
        Case{"ClipBoad.txt",
             1,
             Breakage::EmptyName,
             {u"ClipBoad.txtの読み込みに失敗しました。\r\n1行目にリストの名前がありません。",
              kClipOpen},
             true},
        Case{"ClipBoad.txt",
             1,
             Breakage::TooManyWords,
             {u"ClipBoad."
              u"txtの読み込みに失敗しました。\r\n単語の数が指定されている数より大きいです。",
              kClipOpen},
             true},
        Case{"ClipBoad.txt",
             1,
             Breakage::AccountMissing,
             {u"ClipBoad.txtで説明の読み取りに失敗しました。", kClipOpen},
             true},
        Case{"ClipBoad.txt",
             1,
             Breakage::TooFewWords,
             {u"ClipBoad."
              u"txtの読み込みに失敗しました。\r\n単語の数が指定されている数よりも少ないです。",
              kAfterClip},
             false}));

INSTANTIATE_TEST_SUITE_P(
    WordList, BrokenListFile,
    ::testing::Values(
        Case{"WordList2.txt",
             3,
             Breakage::Missing,
             {u"ファイルWordList2.txtが読み取れませんでした。", kAfterWordList2},
             false},
        Case{"WordList2.txt",
             3,
             Breakage::BadCount,
             {u"ファイルWordList2.txtの要素数の指定が適切ではありません。", kAfterWordList2},
             false},
        // Every list that is not loaded says why.
        Case{"WordList2.txt",
             3,
             Breakage::EmptyName,
             {u"WordList2.txtの読み込みに失敗しました。\r\n1行目にリストの名前がありません。",
              kAfterWordList2},
             false},
        Case{"WordList2.txt",
             3,
             Breakage::ZeroBytes,
             {u"WordList2.txtの読み込みに失敗しました。\r\n1行目にリストの名前がありません。",
              kAfterWordList2},
             false},
        Case{"WordList2.txt",
             3,
             Breakage::HeaderMissing,
             {u"WordList2.txtの読み込みに失敗しました。\r\n2行目から8行目の設定が足りません。",
              kAfterWordList2},
             false},
        Case{"WordList2.txt",
             3,
             Breakage::TooManyWords,
             {u"WordList2."
              u"txtの読み込みに失敗しました。\r\n単語の数が指定されている数より大きいです。",
              kAfterWordList2},
             false},
        Case{"WordList2.txt",
             3,
             Breakage::AccountMissing,
             {u"WordList2.txtで説明の読み取りに失敗しました。", kAfterWordList2},
             false},
        Case{"WordList2.txt",
             3,
             Breakage::TooFewWords,
             {u"WordList2."
              u"txtの読み込みに失敗しました。\r\n単語の数が指定されている数よりも少ないです。",
              kAfterWordList2},
             false}));

}  // namespace
}  // namespace wordvane::test
