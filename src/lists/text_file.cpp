#include "lists/text_file.h"

namespace wordvane {

std::vector<std::u16string> splitLines(std::u16string_view text) {
    std::vector<std::u16string> lines;
    for (size_t next = 0; next < text.size();) {
        lines.emplace_back(lineAt(text, next, next));
    }
    return lines;
}

std::u16string joinLines(const std::vector<std::u16string>& lines) {
    std::u16string text;
    for (const auto& line : lines) {
        text += line;
        text += u"\r\n";
    }
    return text;
}

std::optional<TextFile> readTextFile(Platform& platform, const std::u16string& path) {
    const auto bytes = platform.readFile(path);
    if (!bytes) {
        return std::nullopt;
    }
    DecodedText decoded = decodeText(*bytes);
    return TextFile{std::move(decoded.text), TextFileForm{decoded.encoding, decoded.exact, {}}};
}

std::optional<TextFileLines> readTextLines(Platform& platform, const std::u16string& path) {
    auto file = readTextFile(platform, path);
    if (!file) {
        return std::nullopt;
    }
    return TextFileLines{splitLines(file->text), std::move(file->form)};
}

// Text that would not read back the same (a character code page 932 has no
// place for, or Shift_JIS bytes that happen to look like UTF-8) goes out as
// UTF-8 with a byte-order mark, which reads back as it was.
std::string textFileBytes(const std::u16string& text, TextFileForm& form) {
    bool readsBack = false;
    std::string bytes = encodeText(text, form.encoding, &readsBack);
    if (!readsBack) {
        form.encoding = TextEncoding::Utf8WithMark;
        bytes = encodeText(text, form.encoding);
    }
    return bytes;
}

std::optional<std::string> textSaveBytes(const std::u16string& text, TextFileForm& form) {
    if (!form.exact && text == form.textAsRead) {
        return std::nullopt;
    }
    return textFileBytes(text, form);
}

TextSave writeText(Platform& platform, const std::u16string& path, const std::u16string& text,
                   TextFileForm& form) {
    const std::optional<std::string> bytes = textSaveBytes(text, form);
    return bytes ? writeTextBytes(platform, path, *bytes, form) : TextSave::LeftAlone;
}

TextSave writeTextBytes(Platform& platform, const std::u16string& path, const std::string& bytes,
                        TextFileForm& form) {
    return savedAs(platform.writeFile(path, bytes), form);
}

TextSave savedAs(FileWrite write, TextFileForm& form) {
    switch (write) {
        case FileWrite::Written: {
            const bool overInexact = !form.exact;
            form.exact = true;
            form.textAsRead.clear();
            return overInexact ? TextSave::WrittenOverInexact : TextSave::Written;
        }
        case FileWrite::LeftAside:
            return TextSave::LeftAside;
        case FileWrite::Failed:
            break;
    }
    return TextSave::Failed;
}

TextSave writeTextLines(Platform& platform, const std::u16string& path,
                        const std::vector<std::u16string>& lines, TextFileForm& form) {
    return writeText(platform, path, joinLines(lines), form);
}

std::u16string textSaveMessage(const std::u16string& fileName, TextSave save) {
    switch (save) {
        case TextSave::Written:
        case TextSave::LeftAlone:
            return u"";
        case TextSave::WrittenOverInexact:
            return u"ファイル" + fileName + u"には読み取れない文字があったため、元のファイルを" +
                   fileName + u".bakとして残しました。";
        case TextSave::LeftAside:
            return u"ファイル" + fileName + u"を保存できませんでした。\r\n変更は" + fileName +
                   u".savingに残してあります。";
        case TextSave::Failed:
            break;
    }
    return u"ファイル" + fileName +
           u"を保存できませんでした。\r\n保存先のファイルは変更されていません。";
}

std::u16string fileNameOf(const std::u16string& path) {
    const size_t slash = path.find_last_of(u"\\/");
    return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace wordvane
