#include "lists/settings_file.h"

#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace wordvane::test {
namespace {

const std::u16string kReadFailed = u"iniファイルの読み取りに失敗しました。\r\n起動を中止します。";

class SettingsFile : public AppTest {
  protected:
    // Reads a vane.ini made of the standard lines with line `number` (from 1)
    // replaced by `line`.
    bool readWith(int number, const std::u16string& line,
                  const std::vector<std::u16string>& extra = {}) {
        auto lines = standardSettings();
        lines[static_cast<size_t>(number - 1)] = line;
        lines.insert(lines.end(), extra.begin(), extra.end());
        folder.write("vane.ini", lines);
        return readInitialFile(app);
    }

    std::u16string writtenLine(int number) {
        EXPECT_TRUE(saveIniFile(app));
        return folder.lines("vane.ini").at(static_cast<size_t>(number - 1));
    }

    void expectReadFailure() {
        EXPECT_EQ(messageTexts(), std::vector<std::u16string>{kReadFailed});
        ASSERT_FALSE(platform.messages.empty());
        EXPECT_EQ(platform.messages[0].style, kMbIconExclamation);
        EXPECT_EQ(platform.messages[0].title, u"Wordvane");
        EXPECT_TRUE(platform.exited);
    }
};

TEST_F(SettingsFile, MissingFileStopsWithTheReadingFailure) {
    EXPECT_FALSE(readInitialFile(app));
    expectReadFailure();
}

TEST_F(SettingsFile, EveryRequiredLineMustBeThereWithASlashAndANumber) {
    for (size_t keep : {0u, 1u, 13u, 27u}) {
        auto lines = standardSettings();
        lines.resize(keep);
        folder.write("vane.ini", lines);
        platform.messages.clear();
        EXPECT_FALSE(readInitialFile(app)) << keep << " lines";
        expectReadFailure();
    }
    for (auto [number, line] : std::vector<std::pair<int, std::u16string>>{{1, u"True"},
                                                                           {3, u"x/"},
                                                                           {8, u"1.5/"},
                                                                           {14, u"70000/"},
                                                                           {28, u"/"},
                                                                           {3, u"0/"},
                                                                           {4, u"0/"},
                                                                           {5, u"-1/"}}) {
        platform.messages.clear();
        EXPECT_FALSE(readWith(number, line)) << "line " << number;
        expectReadFailure();
    }
}

TEST_F(SettingsFile, OnlyTrueOrTrueSpelledExactlyEnables) {
    for (auto [value, expected] : std::vector<std::pair<std::u16string, bool>>{
             {u"true/", true}, {u"True/", true}, {u"TRUE/", false}, {u"true /", false}}) {
        ASSERT_TRUE(readWith(6, value));
        EXPECT_EQ(app.settings.showStartChar, expected) << std::string(value.begin(), value.end());
    }
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SettingsFile, ValuesAboveTheirMaximumAreCutSilently) {
    ASSERT_TRUE(readWith(3, u"5000/"));
    EXPECT_EQ(app.settings.clipHistorySize, 1000);
    ASSERT_TRUE(readWith(4, u"20000/"));
    EXPECT_EQ(app.settings.textEraseTime, 10000);
    ASSERT_TRUE(readWith(5, u"1001/"));
    EXPECT_EQ(app.settings.balloonTime, 1000);
    ASSERT_TRUE(readWith(5, u"0/"));
    EXPECT_EQ(app.settings.balloonTime, 0);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(SettingsFile, SeparatorIntervalIsHeldInDaysAndWrittenInMinutes) {
    ASSERT_TRUE(readWith(9, u"30/"));
    EXPECT_DOUBLE_EQ(app.settings.separatorInterval, 30.0 / 1440.0);
    EXPECT_EQ(writtenLine(9).substr(0, 3), u"30/");
    for (const char16_t* off : {u"0/", u"-5/"}) {
        ASSERT_TRUE(readWith(9, off));
        EXPECT_EQ(app.settings.separatorInterval, -1);
        EXPECT_EQ(writtenLine(9).substr(0, 3), u"-1/");
    }
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_TRUE(readWith(9, u"1001/"));
    EXPECT_EQ(app.settings.separatorInterval, -1);
    EXPECT_EQ(messageTexts(),
              std::vector<std::u16string>{u"区切り文字を入れる間隔に1000分以上を設定できませ。\r\n"
                                          u"区切り文字を入れないようにします"});
    EXPECT_EQ(platform.messages[0].style, kMbOk);
    EXPECT_EQ(platform.messages[0].title, u"Wordvane");
}

TEST_F(SettingsFile, DoubleCtrlWaitIsOffBelowOneAndCutAt500WithAMessage) {
    ASSERT_TRUE(readWith(10, u"0/"));
    EXPECT_EQ(app.settings.doubleCtrlWait, -1);
    EXPECT_EQ(writtenLine(10).substr(0, 3), u"-1/");
    ASSERT_TRUE(readWith(10, u"501/"));
    EXPECT_EQ(app.settings.doubleCtrlWait, 500);
    EXPECT_EQ(messageTexts(),
              std::vector<std::u16string>{
                  u"Controll×２の待ち時間に500以上を設定できません。\r\n500に設定します"});
}

TEST_F(SettingsFile, DescriptionWidthIsHeldInTwipsWithItsCorrections) {
    ASSERT_TRUE(readWith(11, u"800/"));
    EXPECT_EQ(app.settings.largeDescMaxWidth, 800 * 15);
    ASSERT_TRUE(readWith(11, u"-1/"));
    EXPECT_EQ(writtenLine(11).substr(0, 4), u"373/");
    EXPECT_TRUE(platform.messages.empty());
    ASSERT_TRUE(readWith(11, u"200/"));
    EXPECT_EQ(writtenLine(11).substr(0, 4), u"400/");
    ASSERT_TRUE(readWith(11, u"1281/"));
    EXPECT_EQ(app.settings.largeDescMaxWidth, 400 * 15);
    EXPECT_EQ(messageTexts(),
              (std::vector<std::u16string>{u"説明文の幅が373以下ですとLargeの幅よりも小さくなってし"
                                           u"まいます。\r\n幅を400に設定します",
                                           u"説明文の幅が大きすぎます。\r\n幅を400に設定します"}));
}

TEST_F(SettingsFile, OpacityAboveHundredLeavesTheTextWindowOpaque) {
    ASSERT_TRUE(readWith(12, u"150/"));
    EXPECT_EQ(app.textWindow.getTranslucentIndex(), 0);
    EXPECT_TRUE(platform.opacity.empty());
    EXPECT_EQ(writtenLine(12).substr(0, 2), u"0/");
    ASSERT_TRUE(readWith(12, u"50/"));
    EXPECT_EQ(app.textWindow.getTranslucentIndex(), 50);
    EXPECT_EQ(platform.opacity[app.forms.form4.handle()], 130);
}

TEST_F(SettingsFile, DuplicateListHotkeysAreDisabledAfterReading) {
    auto lines = standardSettings();
    lines[18] = lines[14];  // list 2 gets the combination of list 0
    lines[19] = lines[15];
    folder.write("vane.ini", lines);
    ASSERT_TRUE(readInitialFile(app));
    EXPECT_TRUE(app.hotkeys.hotKeys[0].enabled);
    EXPECT_TRUE(app.hotkeys.hotKeys[1].enabled);
    EXPECT_FALSE(app.hotkeys.hotKeys[2].enabled);
    EXPECT_EQ(app.hotkeys.hotKeys[2].pushedKey, 49);
    EXPECT_EQ(app.hotkeys.popupShifts, 7);
    EXPECT_EQ(app.hotkeys.popupKeyCode, 82);
}

TEST_F(SettingsFile, ReplacementSetsReadWithEscapedSlashesAndLineBreaks) {
    ASSERT_TRUE(readWith(1, u"True/", {u"a\\/b/\\a/<b>\\a<\\/b>\\nx/ comment", u"n//after/"}));
    EXPECT_EQ(app.textWindow.getReplaceWord(0, 0), u"a/b");
    EXPECT_EQ(app.textWindow.getReplaceWord(0, 1), u"\\a");
    EXPECT_EQ(app.textWindow.getReplaceWord(0, 2), u"<b>\\a</b>\r\nx");
    EXPECT_TRUE(app.textWindow.mnuReplace[1].visible());
    EXPECT_EQ(app.textWindow.getReplaceWord(1, 1), u"");
    EXPECT_FALSE(app.textWindow.mnuReplace[2].visible());
    EXPECT_EQ(app.replaceEditor.getPopupNum(), 3);
    EXPECT_EQ(app.replaceEditor.entries(),
              (std::vector<std::u16string>{u"新しく追加", u"a/b", u"n"}));
    EXPECT_EQ(app.replaceEditor.editSet(1).postWord, u"<b>\\a</b>\\nx");
}

TEST_F(SettingsFile, ADamagedSetLineMakesTheFileUnreadableAndAnEleventhIsNeverRead) {
    EXPECT_FALSE(readWith(1, u"True/", {u"name/before\\/after/"}));
    expectReadFailure();

    std::vector<std::u16string> sets;
    for (int i = 0; i < 11; ++i) {
        sets.push_back(u"s/b/a/");
    }
    sets.back() = u"not a set line";
    platform.messages.clear();
    platform.exited = false;
    ASSERT_TRUE(readWith(1, u"True/", sets));
    EXPECT_EQ(app.replaceEditor.getPopupNum(), 11);
}

TEST_F(SettingsFile, EveryValueAndReplacementSetSurvivesAWriteAndARead) {
    folder.write("vane.ini", standardSettings());
    ASSERT_TRUE(readInitialFile(app));
    const std::vector<std::array<std::u16string, 3>> sets{
        {u"名前/スラッシュ", u"a/b\r\nc", u"\\a"},
        {u"ends with a backslash \\", u"C:\\temp\\", u"\\\\server\\n"},
        {u"", u"", u"/"}};
    for (size_t j = 0; j < sets.size(); ++j) {
        const auto& [name, before, after] = sets[j];
        app.textWindow.setReplaceSet(static_cast<int16_t>(j), name, before, after);
        app.replaceEditor.setReplaceSet(static_cast<int16_t>(j + 1), name, before, after);
    }
    ASSERT_TRUE(saveIniFile(app));
    const auto written = folder.bytes("vane.ini");

    FakePlatform again(folder.path());
    App reread(again);
    ASSERT_TRUE(readInitialFile(reread));
    EXPECT_TRUE(again.messages.empty());
    ASSERT_EQ(reread.replaceEditor.getPopupNum(), 4);
    EXPECT_EQ(reread.textWindow.getReplaceWord(0, 0), u"名前/スラッシュ");
    EXPECT_EQ(reread.textWindow.getReplaceWord(0, 1), u"a/b\r\nc");
    EXPECT_EQ(reread.textWindow.getReplaceWord(0, 2), u"\\a");
    EXPECT_EQ(reread.textWindow.getReplaceWord(1, 0), u"ends with a backslash \\ ")
        << "a blank keeps a closing backslash from escaping the separator";
    EXPECT_EQ(reread.textWindow.getReplaceWord(1, 1), u"C:\\temp\\ ");
    EXPECT_EQ(reread.textWindow.getReplaceWord(1, 2), u"\\\\server\\n");
    EXPECT_EQ(reread.textWindow.getReplaceWord(2, 2), u"/");
    ASSERT_TRUE(saveIniFile(reread));
    EXPECT_EQ(folder.bytes("vane.ini"), written) << "a written file reads and writes back the same";
}

TEST_F(SettingsFile, CommentsAreWrittenAfterTheValuesWithoutABlank) {
    folder.write("vane.ini", standardSettings());
    ASSERT_TRUE(readInitialFile(app));
    ASSERT_TRUE(saveIniFile(app));
    const auto lines = folder.lines("vane.ini");
    ASSERT_EQ(lines.size(), 28u);
    EXPECT_EQ(lines[0], u"True/ 簡易ランチャーを有効(true)にするか無効(false)にするか");
    EXPECT_EQ(lines[2],
              u"4/ クリップボードの履歴を保持する個数 最大1000 "
              u"（ここを変えるときはClipBoad."
              u"txtで指定している値と単語、説明をここにあわせるように書き換えてください。)");
    EXPECT_EQ(lines[13],
              u"82/ ポップアップメニューのホットキーの設定です。ここは書き換えないでください。");
    EXPECT_EQ(lines[16], u"7/ 1番目のホットキーの設定です。ここは書き換えないでください。");
    EXPECT_EQ(lines[27], u"55/ 6番目のホットキーの設定です。ここは書き換えないでください。");
    EXPECT_EQ(folder.bytes("vane.ini").substr(folder.bytes("vane.ini").size() - 2), "\r\n");
}

}  // namespace
}  // namespace wordvane::test
