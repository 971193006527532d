#pragma once

#include <string>
#include <vector>

namespace wordvane::test {

// A program folder of its own in the temporary directory, removed when the
// test ends. Files are written and read in code page 932 with CR LF.
class ProgramFolder {
  public:
    ProgramFolder();
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::string& path() const { return path_; }
    std::u16string file(const std::string& name) const;

    void write(const std::string& name, const std::vector<std::u16string>& lines) const;
    void writeBytes(const std::string& name, const std::string& bytes) const;
    std::string bytes(const std::string& name) const;
    std::vector<std::u16string> lines(const std::string& name) const;
    bool exists(const std::string& name) const;
    void remove(const std::string& name) const;

    // vane.ini, Launch.txt, ClipBoad.txt and WordList1-5.txt of a small,
    // valid program folder.
    void writeStandard() const;

  private:
    std::string path_;
};

// The 28 value lines of a valid vane.ini (no replacement sets).
std::vector<std::u16string> standardSettings();

// A list file with the given header and words; each word is a list of
// (name, account line) pairs.
using Word = std::vector<std::pair<std::u16string, std::u16string>>;
std::vector<std::u16string> listFile(const std::u16string& name, const std::vector<Word>& words,
                                     const std::u16string& startChar = u";");

}  // namespace wordvane::test
