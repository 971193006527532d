#include "lists/list_files.h"

#include "lists/decimal_text.h"
#include "lists/text_file.h"

namespace wordvane {

namespace {

constexpr char16_t kProgramEnds[] = u"\r\nプログラムを終了します。";

bool isSpecial(int list) {
    return list == kLauncherList || list == kClipboardList;
}

std::u16string openFailedMessage(int list) {
    const std::u16string text = u"ファイル" + listFileName(list) + u"が読み取れませんでした。";
    return isSpecial(list) ? text + kProgramEnds : text;
}

std::u16string countFailedMessage(int list) {
    if (isSpecial(list)) {
        return u"ファイル" + listFileName(list) + u"の数字の指定が適切ではありません。" +
               kProgramEnds;
    }
    return u"ファイル" + listFileName(list) + u"の要素数の指定が適切ではありません。";
}

std::u16string causeMessage(int list, ListReadCause cause) {
    const std::u16string failed = listFileName(list) + u"の読み込みに失敗しました。\r\n";
    switch (cause) {
        case ListReadCause::TooManyWords:
            return failed + u"単語の数が指定されている数より大きいです。";
        case ListReadCause::AccountMissing:
            return listFileName(list) + u"で説明の読み取りに失敗しました。";
        case ListReadCause::NoName:
            return failed + u"1行目にリストの名前がありません。";
        case ListReadCause::HeaderMissing:
            return failed + u"2行目から8行目の設定が足りません。";
        case ListReadCause::NoFirstSeparator:
            return failed + u"9行目が「/」で始まっていません。";
        case ListReadCause::TooManyElements:
        case ListReadCause::None:
            break;
    }
    return failed + u"一つの単語の要素が多すぎます。";
}

std::u16string tooFewWordsMessage(int list) {
    return listFileName(list) +
           u"の読み込みに失敗しました。\r\n単語の数が指定されている数よりも少ないです。";
}

// Reading stops at a list that failed: the lists after it are named, so
// that none is missing without a word about it.
std::u16string laterListsMessage(int failed) {
    std::u16string names;
    for (int later = failed + 1; later < kListCount; ++later) {
        names += (names.empty() ? u"" : u"、") + listFileName(later);
    }
    return listFileName(failed) +
           u"を読み終えられなかったため、次のファイルは読み込まれていません。\r\n" + names;
}

// What a failed list says, and whether it ends the program: an unreadable
// launcher or clipboard list does; a word list that failed keeps its name
// only when what was read of it is whole.
void reportFailure(int list, const ListReadOutcome& outcome, Lists& lists,
                   ListFilesOutcome& result) {
    const auto tell = [&](std::u16string text) {
        result.messages.push_back(Message{std::move(text), kMbIconExclamation});
    };
    if (outcome.cause != ListReadCause::None) {
        tell(causeMessage(list, outcome.cause));
    }
    auto& name = lists.listNames[static_cast<size_t>(list)];
    switch (outcome.failure) {
        case ListReadFailure::Open:
            tell(openFailedMessage(list));
            break;
        case ListReadFailure::Count:
            tell(countFailedMessage(list));
            name.clear();
            break;
        case ListReadFailure::Read:
            if (isSpecial(list)) {
                tell(openFailedMessage(list));
            }
            name.clear();
            break;
        case ListReadFailure::TooFewWords:
            tell(tooFewWordsMessage(list));
            return;
        case ListReadFailure::None:
            return;
    }
    result.fatal = isSpecial(list);
}

}  // namespace

std::u16string listFileName(int list) {
    if (list == kLauncherList) {
        return u"Launch.txt";
    }
    if (list == kClipboardList) {
        return u"ClipBoad.txt";
    }
    return u"WordList" + toDecimal(list - 1) + u".txt";
}

std::u16string unsavedCopyName(int list) {
    const std::u16string name = listFileName(list);
    return name.substr(0, name.size() - 4) + u"_未保存.txt";
}

ListFilesOutcome readListFiles(Platform& platform, const std::u16string& folder, Lists& lists) {
    ListFilesOutcome result;
    lists.loadedListCount = 0;
    for (int i = 0; i < kListCount; ++i) {
        ListHeader header;
        ListReadOutcome outcome{ListReadFailure::Open, ListReadCause::None};
        if (auto file = readTextFile(platform, folder + listFileName(i))) {
            outcome = parseListFile(std::move(file->text), header, lists.words(i));
            lists.storeHeader(i, header);
            if (!file->form.exact) {
                file->form.textAsRead = formatListText(header, lists.words(i));
            }
            lists.fileForms[static_cast<size_t>(i)] = std::move(file->form);
        }
        if (outcome.failure != ListReadFailure::None) {
            reportFailure(i, outcome, lists, result);
            if (!result.fatal && i + 1 < kListCount) {
                result.messages.push_back(Message{laterListsMessage(i), kMbIconExclamation});
            }
            return result;
        }
        lists.loadedListCount = static_cast<int16_t>(i + 1);
    }
    return result;
}

std::optional<std::string> listFileSaveBytes(const Lists& lists, int list, TextFileForm& form) {
    const ListHeader& header = lists.header(list);
    const WordListClass& words = lists.words(list);
    if (!form.exact) {
        return textSaveBytes(formatListText(header, words), form);
    }
    return listFileBytes(header, words, form);
}

TextSave writeListFile(Platform& platform, const Lists& lists, int list, const std::u16string& path,
                       TextFileForm& form) {
    const std::optional<std::string> bytes = listFileSaveBytes(lists, list, form);
    return bytes ? writeTextBytes(platform, path, *bytes, form) : TextSave::LeftAlone;
}

}  // namespace wordvane
