#include "support/program_folder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "lists/cp932.h"
#include "lists/decimal_text.h"
#include "lists/text_file.h"
#include "util/utf8.h"

namespace wordvane::test {

namespace fs = std::filesystem;

ProgramFolder::ProgramFolder() {
    std::string pattern = (fs::temp_directory_path() / "wordvane-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a program folder");
    }
    path_ = pattern;
}

ProgramFolder::~ProgramFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::u16string ProgramFolder::file(const std::string& name) const {
    return fromUtf8(path_ + "/" + name);
}

void ProgramFolder::write(const std::string& name, const std::vector<std::u16string>& lines) const {
    std::u16string text;
    for (const auto& line : lines) {
        text += line + u"\r\n";
    }
    writeBytes(name, encodeCp932(text));
}

void ProgramFolder::writeBytes(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ + "/" + name, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::string ProgramFolder::bytes(const std::string& name) const {
    std::ifstream in(path_ + "/" + name, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

std::vector<std::u16string> ProgramFolder::lines(const std::string& name) const {
    return splitLines(decodeCp932(bytes(name)));
}

bool ProgramFolder::exists(const std::string& name) const {
    return fs::exists(path_ + "/" + name);
}

void ProgramFolder::remove(const std::string& name) const {
    fs::remove(path_ + "/" + name);
}

std::vector<std::u16string> standardSettings() {
    std::vector<std::u16string> lines{
        u"True/ launcher", u"True/ clipboard", u"4/ history size",  u"500/ text window",
        u"150/ balloon",   u"False/ start",    u"True/ confirm",    u"100000/ bytes",
        u"30/ separator",  u"30/ double ctrl", u"600/ description", u"80/ opacity",
        u"7/ popup",       u"82/ popup",
    };
    for (int i = 0; i < 7; ++i) {
        lines.push_back(u"7/ hotkey");
        lines.push_back(toDecimal(49 + i) + u"/ hotkey");
    }
    return lines;
}

std::vector<std::u16string> listFile(const std::u16string& name, const std::vector<Word>& words,
                                     const std::u16string& startChar) {
    std::vector<std::u16string> lines{
        name,     startChar, u"",       u"",
        u"false", u"normal", u"middle", toDecimal(static_cast<int64_t>(words.size())),
        u"/"};
    for (size_t w = 0; w < words.size(); ++w) {
        if (w > 0) {
            lines.emplace_back(u"/");
        }
        for (const auto& [elementName, account] : words[w]) {
            lines.push_back(elementName);
            lines.push_back(account);
        }
    }
    return lines;
}

void ProgramFolder::writeStandard() const {
    write("vane.ini", standardSettings());
    write("Launch.txt", listFile(u"ランチャー", {{{u"Windows", u"C:\\Windows"}}}, u""));
    write("ClipBoad.txt", listFile(u"クリップボード",
                                   {{{u"保管庫", u""}},
                                    {{u"固定", u"fixed"}},
                                    {{u"", u"まだ入っていません。"}},
                                    {{u"", u"まだ入っていません。"}}},
                                   u""));
    for (int k = 1; k <= 5; ++k) {
        write("WordList" + std::to_string(k) + ".txt",
              listFile(u"単語" + toDecimal(k),
                       {{{u"ab", u"word ab"}, {u"apple", u"りんご"}, {u"apricot", u"杏"}},
                        {{u"ac", u"word ac"}}}));
    }
}

}  // namespace wordvane::test
