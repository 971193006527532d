#include "lists/settings_file.h"

#include <limits>
#include <vector>

#include "lists/decimal_text.h"
#include "lists/replace_set_line.h"
#include "lists/text_file.h"
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

struct SettingsReadError {};

// Reads the value lines of the settings file one after another; any problem
// is a SettingsReadError.
class ValueReader {
  public:
    explicit ValueReader(const std::vector<std::u16string>& lines) : lines_(lines) {}

    bool atEnd() const { return next_ >= lines_.size(); }

    const std::u16string& line() {
        if (atEnd()) {
            throw SettingsReadError{};
        }
        return lines_[next_++];
    }

    std::u16string value() {
        const std::u16string& text = line();
        const size_t slash = text.find(u'/');
        if (slash == std::u16string::npos) {
            throw SettingsReadError{};
        }
        return text.substr(0, slash);
    }

    bool boolean() {
        const std::u16string text = value();
        return text == u"True" || text == u"true";
    }

    int16_t int16() { return orFail(parseInt16(value())); }
    int32_t int32() { return orFail(parseInt32(value())); }

  private:
    template <typename T>
    static T orFail(const std::optional<T>& number) {
        if (!number) {
            throw SettingsReadError{};
        }
        return *number;
    }

    const std::vector<std::u16string>& lines_;
    size_t next_ = 0;
};

int16_t atLeast(int16_t value, int16_t minimum, int16_t maximum) {
    if (value < minimum) {
        throw SettingsReadError{};
    }
    return value > maximum ? maximum : value;
}

void readValues(ValueReader& reader, PixelScale scale, SettingsFileContent& content,
                Messages& messages) {
    const auto correction = [&](const char16_t* text) { messages.push_back(Message{text, kMbOk}); };
    Settings& settings = content.settings;
    settings.listEnabled[0] = reader.boolean();
    settings.listEnabled[1] = reader.boolean();
    settings.clipHistorySize = atLeast(reader.int16(), 1, 1000);
    settings.textEraseTime = atLeast(reader.int16(), 1, 10000);
    settings.balloonTime = atLeast(reader.int16(), 0, 1000);
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
    if (widthPx <= 0) {
        widthPx = 373;
    } else if (widthPx < 373) {
        correction(kDescriptionTooNarrowMessage);
        widthPx = 400;
    } else if (widthPx > 1280) {
        correction(kDescriptionTooWideMessage);
        widthPx = 400;
    }
    settings.largeDescMaxWidth = scale.twips(widthPx);
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

void readReplaceSets(ValueReader& reader, SettingsFileContent& content) {
    for (int j = 0; j < kMaxReplaceSets && !reader.atEnd(); ++j) {
        const auto fields = splitReplaceSetLine(reader.line());
        if (!fields) {
            throw SettingsReadError{};
        }
        content.replaceSets.push_back(*fields);
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
        const auto lines = readTextLines(platform, path);
        if (!lines) {
            throw SettingsReadError{};
        }
        ValueReader reader(*lines);
        SettingsFileContent content;
        readValues(reader, scale, content, outcome.messages);
        readReplaceSets(reader, content);
        outcome.content = std::move(content);
    } catch (const SettingsReadError&) {
        outcome.messages.push_back(Message{kReadFailedMessage, kMbIconExclamation});
    }
    return outcome;
}

bool writeSettingsFile(Platform& platform, const std::u16string& path,
                       const SettingsFileContent& content) {
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
        toDecimal(settings.largeDescScale.pixels(settings.largeDescMaxWidth)) + kDescriptionComment,
        toDecimal(content.opacity.value_or(0)) + kOpacityComment,
        toDecimal(content.popupHotKey.modifiers) + kPopupHotKeyComment,
        toDecimal(content.popupHotKey.key) + kPopupHotKeyComment,
    };
    for (int i = 0; i < 7; ++i) {
        const HotKeyCombination& hotKey = content.listHotKeys[static_cast<size_t>(i)];
        lines.push_back(toDecimal(hotKey.modifiers) + hotKeyComment(i));
        lines.push_back(toDecimal(hotKey.key) + hotKeyComment(i));
    }
    for (const auto& [name, before, after] : content.replaceSets) {
        lines.push_back(formatReplaceSetLine(name, before, after));
    }
    return writeTextLines(platform, path, lines);
}

}  // namespace wordvane
