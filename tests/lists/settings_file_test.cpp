#include "lists/settings_file.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "support/program_folder.h"

namespace wordvane::test {
namespace {

const std::u16string kReadFailed = u"iniファイルの読み取りに失敗しました。\r\n起動を中止します。";

std::u16string failedAt(int line) {
    if (line == 0) {
        return kReadFailed;
    }
    const std::string number = std::to_string(line);
    return u"iniファイルの読み取りに失敗しました。\r\nvane.iniの" +
           std::u16string(number.begin(), number.end()) +
           u"行目が正しくありません。\r\n起動を中止します。";
}

class SettingsFile : public ::testing::Test {
  protected:
    ProgramFolder folder;
    FakePlatform platform{folder.path()};
    SettingsReadOutcome outcome;

    PixelScale scale;

    const SettingsReadOutcome& read() {
        outcome = readSettingsFile(platform, folder.file("vane.ini"), scale);
        return outcome;
    }

    // Reads a vane.ini made of the standard lines with line `number` (from 1)
    // replaced by `line`. True when it could be read.
    bool readWith(int number, const std::u16string& line,
                  const std::vector<std::u16string>& extra = {}) {
        auto lines = standardSettings();
        lines[static_cast<size_t>(number - 1)] = line;
        lines.insert(lines.end(), extra.begin(), extra.end());
        folder.write("vane.ini", lines);
        return read().content.has_value();
    }

    const Settings& settings() const { return outcome.content->settings; }

    // vane.ini written as it was read.
    bool written(const SettingsFileContent& content) {
        return writeSettingsFile(platform, folder.file("vane.ini"), content, outcome.form) ==
               TextSave::Written;
    }

    std::u16string writtenLine(int number) {
        EXPECT_TRUE(written(*outcome.content));
        return folder.lines("vane.ini").at(static_cast<size_t>(number - 1));
    }

    std::vector<std::u16string> messageTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& message : outcome.messages) {
            texts.push_back(message.text);
        }
        return texts;
    }

    // The failure names the line that is wrong (none when the file is missing).
    void expectReadFailure(int line = 0) {
        EXPECT_FALSE(outcome.content);
        EXPECT_EQ(messageTexts(), std::vector<std::u16string>{failedAt(line)});
        ASSERT_FALSE(outcome.messages.empty());
        EXPECT_EQ(outcome.messages[0].style, kMbIconExclamation);
    }
};

TEST_F(SettingsFile, MissingFileIsTheReadingFailure) {
    read();
    expectReadFailure();
}

TEST_F(SettingsFile, EveryRequiredLineMustBeThereWithASlashAndANumber) {
    for (size_t keep : {0u, 1u, 13u, 27u}) {
        auto lines = standardSettings();
        lines.resize(keep);
        folder.write("vane.ini", lines);
        read();
        expectReadFailure(static_cast<int>(keep) + 1);  // the first missing line
    }
    for (auto [number, line] : std::vector<std::pair<int, std::u16string>>{{1, u"True"},
                                                                           {3, u"x/"},
                                                                           {8, u"1.5/"},
                                                                           {14, u"70000/"},
                                                                           {28, u"/"},
                                                                           {3, u"0/"},
                                                                           {4, u"0/"},
                                                                           {5, u"-1/"}}) {
        EXPECT_FALSE(readWith(number, line)) << "line " << number;
        expectReadFailure(number);
    }
}

TEST_F(SettingsFile, TrueInAnyCaseEnables) {
    for (auto [value, expected] : std::vector<std::pair<std::u16string, bool>>{
             {u"true/", true}, {u"True/", true}, {u"TRUE/", true}, {u"true /", false}}) {
        ASSERT_TRUE(readWith(6, value));
        EXPECT_EQ(settings().showStartChar, expected) << std::string(value.begin(), value.end());
        EXPECT_TRUE(outcome.messages.empty());
    }
}

TEST_F(SettingsFile, ValuesAboveTheirMaximumAreCutSilently) {
    ASSERT_TRUE(readWith(3, u"5000/"));
    EXPECT_EQ(settings().clipHistorySize, 1000);
    ASSERT_TRUE(readWith(4, u"20000/"));
    EXPECT_EQ(settings().textEraseTime, 10000);
    ASSERT_TRUE(readWith(5, u"1001/"));
    EXPECT_EQ(settings().balloonTime, 1000);
    ASSERT_TRUE(readWith(5, u"0/"));
    EXPECT_EQ(settings().balloonTime, 0);
    EXPECT_TRUE(outcome.messages.empty());
}

TEST_F(SettingsFile, SeparatorIntervalIsHeldInDaysAndWrittenInMinutes) {
    ASSERT_TRUE(readWith(9, u"30/"));
    EXPECT_DOUBLE_EQ(settings().separatorInterval, 30.0 / 1440.0);
    EXPECT_EQ(writtenLine(9).substr(0, 3), u"30/");
    for (const char16_t* off : {u"0/", u"-5/"}) {
        ASSERT_TRUE(readWith(9, off));
        EXPECT_EQ(settings().separatorInterval, -1);
        EXPECT_EQ(writtenLine(9).substr(0, 3), u"-1/");
        EXPECT_TRUE(outcome.messages.empty());
    }
    ASSERT_TRUE(readWith(9, u"1001/"));
    EXPECT_EQ(settings().separatorInterval, -1);
    EXPECT_EQ(messageTexts(),
              std::vector<std::u16string>{u"区切り文字を入れる間隔に1000分以上を設定できませ。\r\n"
                                          u"区切り文字を入れないようにします"});
    EXPECT_EQ(outcome.messages[0].style, kMbOk);
}

TEST_F(SettingsFile, DoubleCtrlWaitIsOffBelowOneAndCutAt500WithAMessage) {
    ASSERT_TRUE(readWith(10, u"0/"));
    EXPECT_EQ(settings().doubleCtrlWait, -1);
    EXPECT_EQ(writtenLine(10).substr(0, 3), u"-1/");
    ASSERT_TRUE(readWith(10, u"501/"));
    EXPECT_EQ(settings().doubleCtrlWait, 500);
    EXPECT_EQ(messageTexts(),
              std::vector<std::u16string>{
                  u"Controll×２の待ち時間に500以上を設定できません。\r\n500に設定します"});
}

TEST_F(SettingsFile, DescriptionWidthIsHeldInTwipsWithItsCorrections) {
    ASSERT_TRUE(readWith(11, u"800/"));
    EXPECT_EQ(settings().largeDescMaxWidth, 800 * 15);
    ASSERT_TRUE(readWith(11, u"-1/"));
    EXPECT_LT(settings().largeDescMaxWidth, 0) << "negative: the size never changes";
    EXPECT_EQ(writtenLine(11).substr(0, 3), u"-1/");
    ASSERT_TRUE(readWith(11, u"0/"));
    EXPECT_EQ(writtenLine(11).substr(0, 4), u"373/");
    EXPECT_TRUE(outcome.messages.empty());
    ASSERT_TRUE(readWith(11, u"200/"));
    EXPECT_EQ(writtenLine(11).substr(0, 4), u"400/");
    EXPECT_EQ(messageTexts(),
              std::vector<std::u16string>{u"説明文の幅が373以下ですとLargeの幅よりも小さくなってし"
                                          u"まいます。\r\n幅を400に設定します"});
    ASSERT_TRUE(readWith(11, u"1281/"));
    EXPECT_EQ(settings().largeDescMaxWidth, 400 * 15);
    EXPECT_EQ(messageTexts(),
              std::vector<std::u16string>{u"説明文の幅が大きすぎます。\r\n幅を400に設定します"});
}

// At 175 % (168 dpi) a pixel is 8 4/7 twips: no whole factor holds it.
TEST_F(SettingsFile, DescriptionWidthIsExactAtEveryDpiAndWrittenAtTheScaleItWasReadAt) {
    scale = PixelScale{168};
    ASSERT_TRUE(readWith(11, u"373/"));
    EXPECT_EQ(settings().largeDescMaxWidth, 3197);
    EXPECT_EQ(writtenLine(11).substr(0, 4), u"373/");
    for (const int dpi : {96, 120, 144, 168, 192, 240}) {
        const PixelScale at{dpi};
        for (int32_t pixels = 373; pixels <= 1280; ++pixels) {
            ASSERT_EQ(at.pixels(at.twips(pixels)), pixels) << dpi << " dpi";
        }
    }
}

TEST_F(SettingsFile, CorrectionsComeBeforeTheFailureTheyPreceded) {
    auto lines = standardSettings();
    lines[9] = u"501/";
    lines.resize(20);
    folder.write("vane.ini", lines);
    read();
    EXPECT_FALSE(outcome.content);
    EXPECT_EQ(
        messageTexts(),
        (std::vector<std::u16string>{
            u"Controll×２の待ち時間に500以上を設定できません。\r\n500に設定します", failedAt(21)}));
}

TEST_F(SettingsFile, HotkeysAndOpacityAreReadForTheirOwners) {
    ASSERT_TRUE(readWith(12, u"150/"));
    EXPECT_FALSE(outcome.content->opacity) << "above 100 leaves the text window as it is";
    ASSERT_TRUE(readWith(12, u"50/"));
    EXPECT_EQ(outcome.content->opacity, 50);
    EXPECT_EQ(outcome.content->popupHotKey.modifiers, 7);
    EXPECT_EQ(outcome.content->popupHotKey.key, 82);
    EXPECT_EQ(outcome.content->listHotKeys[6].key, 55);
}

TEST_F(SettingsFile, ReplacementSetsReadWithEscapedSlashesAndLineBreaks) {
    ASSERT_TRUE(readWith(1, u"True/", {u"a\\/b/\\a/<b>\\a<\\/b>\\nx/ comment", u"n//after/"}));
    const auto& sets = outcome.content->replaceSets;
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0], (ReplaceSetFields{u"a/b", u"\\a", u"<b>\\a</b>\r\nx"}));
    EXPECT_EQ(sets[1], (ReplaceSetFields{u"n", u"", u"after"}));
}

TEST_F(SettingsFile, ADamagedSetLineIsNamedAndLinesNotUsedAreWrittenBackAsTheyWere) {
    EXPECT_FALSE(readWith(1, u"True/", {u"s/b/a/", u"name/before\\/after/"}));
    expectReadFailure(30);

    std::vector<std::u16string> area(11, u"s/b/a/ mine");
    area[0] = u"first/b/a/";
    area.insert(area.begin() + 1, {u"", u"/ a comment of the user's", u"# another", u"  "});
    area.push_back(u"twelfth is not a set line");
    ASSERT_TRUE(readWith(1, u"True/", area));
    EXPECT_EQ(outcome.content->replaceSets.size(), 10u);
    // The editor drops the first set and adds one: the sets take the places
    // of the sets read, the kept lines stay where they were.
    auto& sets = outcome.content->replaceSets;
    sets.erase(sets.begin());
    sets.push_back({u"new", u"x", u"y"});
    ASSERT_TRUE(written(*outcome.content));
    const auto lines = folder.lines("vane.ini");
    const std::vector<std::u16string> written(lines.begin() + 28, lines.end());
    const std::u16string set = u"s/b/a/ ポップアップの設定";
    std::vector<std::u16string> expected{set, u"", u"/ a comment of the user's", u"# another",
                                         u"  "};
    expected.insert(expected.end(), 8, set);
    expected.push_back(u"new/x/y/ ポップアップの設定");
    expected.push_back(u"s/b/a/ mine");
    expected.push_back(u"twelfth is not a set line");
    EXPECT_EQ(written, expected);
}

TEST_F(SettingsFile, EveryValueAndReplacementSetSurvivesAWriteAndARead) {
    folder.write("vane.ini", standardSettings());
    ASSERT_TRUE(read().content);
    SettingsFileContent content = *outcome.content;
    content.replaceSets = {{u"名前/スラッシュ", u"a/b\r\nc", u"\\a"},
                           {u"ends with a backslash \\", u"[\\a]\\", u"\\\\server\\n"},
                           {u"a backslash, then a blank \\ ", u"\\  ", u"blank "},
                           {u"", u"", u"/"}};
    ASSERT_TRUE(written(content));
    const auto bytes = folder.bytes("vane.ini");

    ASSERT_TRUE(read().content);
    EXPECT_TRUE(outcome.messages.empty());
    const auto& sets = outcome.content->replaceSets;
    EXPECT_EQ(sets, content.replaceSets)
        << "the blank that keeps a closing backslash from escaping the separator goes again";
    ASSERT_TRUE(written(*outcome.content));
    EXPECT_EQ(folder.bytes("vane.ini"), bytes) << "a written file reads and writes back the same";
}

TEST_F(SettingsFile, CommentsAreWrittenAfterTheValuesWithoutABlank) {
    folder.write("vane.ini", standardSettings());
    ASSERT_TRUE(read().content);
    ASSERT_TRUE(written(*outcome.content));
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
