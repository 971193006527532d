#include "lists/settings_file.h"

#include <limits>
#include <vector>

#include "lists/decimal_text.h"
#include "lists/replace_set_line.h"
#include "lists/text_file.h"
#include "util/ascii.h"
#include "util/rounding.h"

namespace wordvane {

namespace {

constexpr char16_t kReadFailedMessage[] =
    u"iniファイルの読み取りに失敗しました。\r\n起動を中止します。";
constexpr char16_t kSeparatorTooLongMessage[] =
    u"区切り文字を入れる間隔に1000分以上を設定できませ。\r\n区切り文字を入れないようにします";
constexpr char16_t kDoubleCtrlTooLongMessage[] =
    u"Controll×２の待ち時間に500以上を設定できません。\r\n500に設定します";
constexpr char16_t kDescriptionTooNarrowMessage[] =
    u"説明文の幅が373以下ですとLargeの幅よりも小さくなってしまいます。\r\n幅を400に設定します";
constexpr char16_t kDescriptionTooWideMessage[] =
    u"説明文の幅が大きすぎます。\r\n幅を400に設定します";

constexpr char16_t kLauncherComment[] = u"/ 簡易ランチャーを有効(true)にするか無効(false)にするか";
constexpr char16_t kClipboardComment[] =
    u"/ 簡易クリップボード履歴を有効(true)にするか無効(false)にするか";
constexpr char16_t kHistorySizeComment[] =
    u"/ クリップボードの履歴を保持する個数 最大1000 "
    u"（ここを変えるときはClipBoad."
    u"txtで指定している値と単語、説明をここにあわせるように書き換えてください。)";
constexpr char16_t kTextEraseComment[] =
    u"/ パス・URLを入れるテキストが消えるまでの時間　最大10000";
constexpr char16_t kBalloonComment[] =
    u"/ Home,Endで支援方法を変えた時、ふきだしで出てくるタイトル名の表示時間　最大1000";
constexpr char16_t kStartCharComment[] =
    u"/ ホットキーでのリスト表示で要素開始文字を表示する(true)かしない(false)か";
constexpr char16_t kConfirmComment[] = u"/ 終了時にファイル保存の確認をする(true)かしない(false)か";
constexpr char16_t kClipMaxComment[] = u"/ クリップボードに保存できる最大バイト数";
constexpr char16_t kSeparatorComment[] =
    u"/ 区切り文字を入れるコピーの時間間隔(分)、最大1000、負の値で区切り文字を入れない";
constexpr char16_t kDoubleCtrlComment[] = u"/ Controll×２の待ち時間、最大500、負の値で無効";
constexpr char16_t kDescriptionComment[] =
    u"/ Largeのときの説明文の最大幅(ピクセル)373以上の値、負の値で大きさを変化させない";
constexpr char16_t kOpacityComment[] =
    u"/ パスのコピーで出るウィンドウの不透明度、0(透明)から100(不透明)の間の値、負の値で無効";
constexpr char16_t kPopupHotKeyComment[] =
    u"/ ポップアップメニューのホットキーの設定です。ここは書き換えないでください。";

constexpr double kMinutesPerDay = 60.0 * 24.0;

// A line that cannot be read, by its number from 1; 0 when the file itself
// cannot be read.
struct SettingsReadError {
    size_t line = 0;
};

// Reads the value lines of the settings file one after another; any problem
// is a SettingsReadError.
class ValueReader {
  public:
    explicit ValueReader(const std::vector<std::u16string>& lines) : lines_(lines) {}

    bool atEnd() const { return next_ >= lines_.size(); }

    const std::u16string& line() {
        if (atEnd()) {
            throw SettingsReadError{next_ + 1};  // the first line that is missing
        }
        return lines_[next_++];
    }

    // The line read last is wrong.
    [[noreturn]] void fail() const { throw SettingsReadError{next_}; }

    std::u16string value() {
        const std::u16string& text = line();
        const size_t slash = text.find(u'/');
        if (slash == std::u16string::npos) {
            fail();
        }
        return text.substr(0, slash);
    }

    // "True" in any case is true, anything else false.
    bool boolean() { return asciiLowered(value()) == u"true"; }

    int16_t int16() { return orFail(parseInt16(value())); }
    int32_t int32() { return orFail(parseInt32(value())); }

    // A value below `minimum` is wrong; one above `maximum` becomes it.
    int16_t atLeast(int16_t minimum, int16_t maximum) {
        const int16_t number = int16();
        if (number < minimum) {
            fail();
        }
        return number > maximum ? maximum : number;
    }

  private:
    template <typename T>
    T orFail(const std::optional<T>& number) const {
        if (!number) {
            fail();
        }
        return *number;
    }

    const std::vector<std::u16string>& lines_;
    size_t next_ = 0;
};

void readValues(ValueReader& reader, PixelScale scale, SettingsFileContent& content,
                Messages& messages) {
    const auto correction = [&](const char16_t* text) { messages.push_back(Message{text, kMbOk}); };
    Settings& settings = content.settings;
    settings.listEnabled[0] = reader.boolean();
    settings.listEnabled[1] = reader.boolean();
    settings.clipHistorySize = reader.atLeast(1, 1000);
    settings.textEraseTime = reader.atLeast(1, 10000);
    settings.balloonTime = reader.atLeast(0, 1000);
    settings.showStartChar = reader.boolean();
    settings.confirmSaveOnExit = reader.boolean();
    settings.clipMaxBytes = reader.int32();

    const int16_t interval = reader.int16();
    if (interval <= 0) {
        settings.separatorInterval = -1;
    } else if (interval <= 1000) {
        settings.separatorInterval = interval / 24.0 / 60.0;
    } else {
        correction(kSeparatorTooLongMessage);
        settings.separatorInterval = -1;
    }

    const int16_t wait = reader.int16();
    if (wait <= 0) {
        settings.doubleCtrlWait = -1;
    } else if (wait <= 500) {
        settings.doubleCtrlWait = wait;
    } else {
        correction(kDoubleCtrlTooLongMessage);
        settings.doubleCtrlWait = 500;
    }

    int32_t widthPx = reader.int32();
    if (widthPx == 0) {
        widthPx = 373;
    } else if (widthPx > 0 && widthPx < 373) {
        correction(kDescriptionTooNarrowMessage);
        widthPx = 400;
    } else if (widthPx > 1280) {
        correction(kDescriptionTooWideMessage);
        widthPx = 400;
    }
    // A negative width (the description keeps its size) is held and written
    // back as read.
    settings.largeDescMaxWidth = widthPx < 0 ? widthPx : scale.twips(widthPx);
    settings.largeDescScale = scale;

    const int16_t opacity = reader.int16();
    if (opacity <= 100) {
        content.opacity = opacity;
    }

    content.popupHotKey.modifiers = reader.int32();
    content.popupHotKey.key = reader.int16();
    for (auto& hotKey : content.listHotKeys) {
        hotKey.modifiers = reader.int32();
        hotKey.key = reader.int16();
    }
}

bool isBlank(const std::u16string& line) {
    return line.find_first_not_of(u" \t\u3000") == std::u16string::npos;
}

bool isComment(const std::u16string& line) {
    return !line.empty() &&
           (line[0] == u'/' || line[0] == u'#' || line[0] == u';' || line[0] == u'\'');
}

// Up to ten replacement sets, one a line; blank lines, comments and the sets
// beyond the tenth are kept in their places to be written back as they are.
void readReplaceSets(ValueReader& reader, SettingsFileContent& content) {
    auto& area = content.settings.replaceSetArea;
    while (!reader.atEnd()) {
        const std::u16string& line = reader.line();
        if (isBlank(line) || content.replaceSets.size() == kMaxReplaceSets) {
            area.emplace_back(line);
            continue;
        }
        const auto fields = splitReplaceSetLine(line);
        if (fields) {
            content.replaceSets.push_back(*fields);
            area.emplace_back();
        } else if (isComment(line)) {
            area.emplace_back(line);
        } else {
            reader.fail();
        }
    }
}

// The replacement sets in the places they were read from, the kept lines
// between them; sets added since go after the last place.
void writeReplaceSets(const SettingsFileContent& content, std::vector<std::u16string>& lines) {
    const auto& area = content.settings.replaceSetArea;
    const auto& sets = content.replaceSets;
    size_t places = 0;
    for (const auto& line : area) {
        places += line ? 0 : 1;
    }
    size_t written = 0;
    const auto writeSet = [&] {
        const auto& [name, before, after] = sets[written++];
        lines.push_back(formatReplaceSetLine(name, before, after));
    };
    const auto writeAdded = [&] {
        while (written < sets.size()) {
            writeSet();
        }
    };
    size_t place = 0;
    if (places == 0) {
        writeAdded();
    }
    for (const auto& line : area) {
        if (line) {
            lines.push_back(*line);
            continue;
        }
        if (written < sets.size()) {
            writeSet();
        }
        if (++place == places) {
            writeAdded();
        }
    }
}

std::u16string booleanText(bool value) {
    return value ? u"True" : u"False";
}

std::u16string hotKeyComment(int list) {
    return u"/ " + toDecimal(list) + u"番目のホットキーの設定です。ここは書き換えないでください。";
}

}  // namespace

SettingsReadOutcome readSettingsFile(Platform& platform, const std::u16string& path,
                                     PixelScale scale) {
    SettingsReadOutcome outcome;
    try {
        auto file = readTextLines(platform, path);
        if (!file) {
            throw SettingsReadError{};
        }
        ValueReader reader(file->lines);
        SettingsFileContent content;
        readValues(reader, scale, content, outcome.messages);
        readReplaceSets(reader, content);
        if (!file->form.exact) {
            file->form.textAsRead = joinLines(settingsFileLines(content));
        }
        outcome.form = std::move(file->form);
        outcome.content = std::move(content);
    } catch (const SettingsReadError& error) {
        std::u16string text = kReadFailedMessage;
        if (error.line > 0) {
            text.insert(text.find(u"\r\n") + 2,
                        kSettingsFileName + (u"の" + toDecimal(static_cast<int64_t>(error.line))) +
                            u"行目が正しくありません。\r\n");
        }
        outcome.messages.push_back(Message{text, kMbIconExclamation});
    }
    return outcome;
}

std::vector<std::u16string> settingsFileLines(const SettingsFileContent& content) {
    const Settings& settings = content.settings;
    const double minutes = settings.separatorInterval < 0
                               ? settings.separatorInterval
                               : settings.separatorInterval * kMinutesPerDay;

    // The launcher and clipboard lines keep the settings as read: a list that
    // could not be loaded this time stays enabled for the next start.
    std::vector<std::u16string> lines{
        booleanText(settings.listEnabled[0]) + kLauncherComment,
        booleanText(settings.listEnabled[1]) + kClipboardComment,
        toDecimal(settings.clipHistorySize) + kHistorySizeComment,
        toDecimal(settings.textEraseTime) + kTextEraseComment,
        toDecimal(settings.balloonTime) + kBalloonComment,
        booleanText(settings.showStartChar) + kStartCharComment,
        booleanText(settings.confirmSaveOnExit) + kConfirmComment,
        toDecimal(settings.clipMaxBytes) + kClipMaxComment,
        toDecimal(static_cast<int64_t>(roundHalfEven(minutes))) + kSeparatorComment,
        toDecimal(settings.doubleCtrlWait) + kDoubleCtrlComment,
        toDecimal(settings.largeDescMaxWidth < 0
                      ? settings.largeDescMaxWidth
                      : settings.largeDescScale.pixels(settings.largeDescMaxWidth)) +
            kDescriptionComment,
        toDecimal(content.opacity.value_or(0)) + kOpacityComment,
        toDecimal(content.popupHotKey.modifiers) + kPopupHotKeyComment,
        toDecimal(content.popupHotKey.key) + kPopupHotKeyComment,
    };
    for (int i = 0; i < 7; ++i) {
        const HotKeyCombination& hotKey = content.listHotKeys[static_cast<size_t>(i)];
        lines.push_back(toDecimal(hotKey.modifiers) + hotKeyComment(i));
        lines.push_back(toDecimal(hotKey.key) + hotKeyComment(i));
    }
    writeReplaceSets(content, lines);
    return lines;
}

TextSave writeSettingsFile(Platform& platform, const std::u16string& path,
                           const SettingsFileContent& content, TextFileForm& form) {
    return writeTextLines(platform, path, settingsFileLines(content), form);
}

}  // namespace wordvane
