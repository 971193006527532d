#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "lists/text_encoding.h"
#include "platform/fake/fake_session.h"
#include "support/app_fixture.h"
#include "util/utf8.h"

namespace wordvane::test {
namespace {

const std::u16string kText = u"あいさつ\r\nabc～\r\n";

TEST(TextEncoding, EachEncodingIsFoundAndWrittenBackAsItWas) {
    const std::string cp932 = "\x82\xA0\x82\xA2\x82\xB3\x82\xC2\r\nabc\x81\x60\r\n";
    const std::string utf8 =
        "\xE3\x81\x82\xE3\x81\x84\xE3\x81\x95\xE3\x81\xA4\r\nabc\xEF\xBD\x9E\r\n";
    std::string utf16le = "\xFF\xFE";
    std::string utf16be = "\xFE\xFF";
    for (const char16_t unit : kText) {
        utf16le += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        utf16be += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    const std::pair<std::string, TextEncoding> files[] = {
        {cp932, TextEncoding::Cp932},
        {utf8, TextEncoding::Utf8},
        {"\xEF\xBB\xBF" + utf8, TextEncoding::Utf8WithMark},
        {utf16le, TextEncoding::Utf16Le},
        {utf16be, TextEncoding::Utf16Be},
    };
    for (const auto& [bytes, encoding] : files) {
        const DecodedText decoded = decodeText(bytes);
        EXPECT_EQ(decoded.encoding, encoding) << encodingName(encoding);
        EXPECT_TRUE(decoded.exact) << encodingName(encoding);
        EXPECT_EQ(decoded.text, kText) << encodingName(encoding);
        EXPECT_EQ(encodeText(decoded.text, encoding), bytes) << encodingName(encoding);
    }
    EXPECT_EQ(decodeText("plain\r\n").encoding, TextEncoding::Cp932) << "ASCII alone";
    // Bytes that are not all characters: a lone lead byte, a broken UTF-8
    // sequence read as Shift_JIS, half a UTF-16 unit.
    EXPECT_FALSE(decodeText("abc\x82").exact);
    EXPECT_FALSE(decodeText("\xEF\xBB\xBF\xE3\x81").exact);
    EXPECT_FALSE(decodeText("\xFF\xFE\x41").exact);
    EXPECT_TRUE(decodeText("\x81\x45").exact) << "the middle dot itself is a character";
}

class TextFiles : public AppTest {
  protected:
    void SetUp() override { folder.writeStandard(); }
};

// The history holds whatever the user copied: what Shift_JIS has no place
// for sends ClipBoad.txt to UTF-8 with a mark, and it comes back whole.
TEST_F(TextFiles, ACopiedEmojiAndWaveDashComeBackAfterARestart) {
    const std::u16string copied = u"\U0001F600 〜 café";
    ASSERT_TRUE(app.shell.Form_Load());
    FakeSession user(platform, app);
    user.copy(copied);
    app.capture.checkClipboad();
    const auto launch = folder.bytes("Launch.txt");
    app.shell.mnuExit_Click();
    EXPECT_TRUE(folder.bytes("ClipBoad.txt").starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(folder.bytes("Launch.txt"), launch) << "a list that fits stays Shift_JIS";

    FakePlatform again(folder.path());
    App restarted(again);
    ASSERT_TRUE(restarted.shell.Form_Load());
    const WordListClass& history = restarted.lists.words(kClipboardList);
    bool found = false;
    for (int16_t word = 0; word <= history.getWordLength(); ++word) {
        found = found || history.getString(word, 0, 1) == copied;
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(restarted.lists.fileForms[kClipboardList].encoding, TextEncoding::Utf8WithMark);
}

// A list whose bytes were not all characters is not written back from what
// could be read of it; once the user changes it, the original is kept.
TEST_F(TextFiles, AnInexactReadIsLeftAloneUntilTheListChanges) {
    auto bytes = folder.bytes("Launch.txt");
    bytes.insert(bytes.find("Windows"), "\x85\x40");  // a pair that is no character
    folder.writeBytes("Launch.txt", bytes);
    auto settings = folder.bytes("vane.ini");
    settings.insert(settings.find("/ "), "\x85\x40");  // in a comment
    folder.writeBytes("vane.ini", settings);
    ASSERT_TRUE(app.shell.Form_Load());
    ASSERT_FALSE(app.lists.fileForms[kLauncherList].exact);
    app.shell.mnuExit_Click();
    EXPECT_EQ(folder.bytes("Launch.txt"), bytes);
    EXPECT_EQ(folder.bytes("vane.ini"), settings);
    EXPECT_TRUE(messageTexts().empty());

    FakePlatform again(folder.path());
    App restarted(again);
    ASSERT_TRUE(restarted.shell.Form_Load());
    ASSERT_TRUE(restarted.lists.addWord(kLauncherList, -1, u"zzadded", u"C:\\a"));
    restarted.shell.mnuExit_Click();
    EXPECT_EQ(folder.bytes("Launch.txt.bak"), bytes);
    ASSERT_EQ(again.messages.size(), 1u);
    EXPECT_EQ(again.messages[0].text,
              u"ファイルLaunch.txtには読み取れない文字があったため、元のファイルをLaunch.txt."
              u"bakとして残しました。");
}

// Each save keeps the file it replaces as NAME.bak; a file another program
// holds stays as it was, the new text in NAME.saving, and the user is told.
TEST_F(TextFiles, SavesKeepOneGenerationAndAHeldFileIsLeftAside) {
    const auto clip = folder.bytes("ClipBoad.txt");
    ASSERT_TRUE(app.shell.Form_Load());
    const auto launch = folder.bytes("Launch.txt");
    platform.heldFiles.insert(folder.file("Launch.txt"));
    ASSERT_TRUE(app.lists.addWord(kLauncherList, -1, u"zzadded", u"C:\\a"));
    app.shell.mnuExit_Click();
    EXPECT_EQ(folder.bytes("ClipBoad.txt.bak"), clip);
    EXPECT_EQ(folder.bytes("Launch.txt"), launch);
    EXPECT_NE(folder.bytes("Launch.txt.saving").find("zzadded"), std::string::npos);
    EXPECT_EQ(messageTexts(), std::vector<std::u16string>{
                                  u"ファイルLaunch.txtを保存できませんでした。\r\n変更はLaunch."
                                  u"txt.savingに残してあります。"});
}

// The history is on disk a few seconds after a copy, not only at exit: a
// crash loses at most those seconds. A burst of copies is one save.
TEST_F(TextFiles, TheHistoryIsSavedSecondsAfterItChanges) {
    ASSERT_TRUE(app.shell.Form_Load());
    FakeSession user(platform, app);
    user.tick(600);
    EXPECT_TRUE(platform.writtenFiles.empty()) << "nothing changed, nothing written";
    for (const char16_t* text : {u"first copy", u"second copy"}) {
        user.copy(text);
        user.tick(150);
    }
    EXPECT_TRUE(platform.writtenFiles.empty()) << "still changing";
    user.tick(1000);
    const auto count = [&](const std::u16string& name) {
        return std::count(platform.writtenFiles.begin(), platform.writtenFiles.end(),
                          folder.file(toUtf8(name)));
    };
    EXPECT_EQ(count(u"ClipBoad.txt"), 1);
    EXPECT_NE(folder.bytes("ClipBoad.txt").find("second copy"), std::string::npos);
    user.tick(1000);
    EXPECT_EQ(count(u"ClipBoad.txt"), 1) << "not again while nothing changes";
}

// A program folder where nothing can be written (a copy under Program
// Files) is told once at start-up, and exit then writes nothing there.
TEST_F(TextFiles, AFolderThatCannotBeWrittenIsToldAtStartUp) {
    namespace fs = std::filesystem;
    const fs::perms before = fs::status(folder.path()).permissions();
    fs::permissions(folder.path(),
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const bool loaded = app.shell.Form_Load();
    app.shell.mnuExit_Click();
    fs::permissions(folder.path(), before);
    ASSERT_TRUE(loaded);
    ASSERT_EQ(messageTexts().size(), 1u);
    EXPECT_TRUE(messageTexts()[0].starts_with(
        u"次の場所に書き込めないため、リストと設定の変更は保存されません。\r\n"));
    EXPECT_TRUE(platform.writtenFiles.empty());
}

}  // namespace
}  // namespace wordvane::test
