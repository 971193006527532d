#include "lists/settings_file.h"

#include <limits>
#include <vector>

#include "app/app.h"
#include "hotkeys/hotkey_registration.h"
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

void readValues(App& app, ValueReader& reader) {
    Settings& settings = app.settings;
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
        app.message(kSeparatorTooLongMessage, kMbOk);
        settings.separatorInterval = -1;
    }

    const int16_t wait = reader.int16();
    if (wait <= 0) {
        settings.doubleCtrlWait = -1;
    } else if (wait <= 500) {
        settings.doubleCtrlWait = wait;
    } else {
        app.message(kDoubleCtrlTooLongMessage, kMbOk);
        settings.doubleCtrlWait = 500;
    }

    int32_t widthPx = reader.int32();
    if (widthPx <= 0) {
        widthPx = 373;
    } else if (widthPx < 373) {
        app.message(kDescriptionTooNarrowMessage, kMbOk);
        widthPx = 400;
    } else if (widthPx > 1280) {
        app.message(kDescriptionTooWideMessage, kMbOk);
        widthPx = 400;
    }
    settings.largeDescMaxWidth = widthPx * app.platform.twipsPerPixelX();

    const int16_t opacity = reader.int16();
    if (opacity <= 100) {
        app.textWindow.setTranslucentIndex(opacity);
        app.textWindow.translucent(opacity);
    } else {
        app.textWindow.translucent(-1);
    }

    app.hotkeys.popupShifts = reader.int32();
    app.hotkeys.popupKeyCode = reader.int16();
    for (auto& hotKey : app.hotkeys.hotKeys) {
        hotKey.prePushHotKey = reader.int32();
        hotKey.pushedKey = reader.int16();
    }
}

void readReplaceSets(App& app, ValueReader& reader) {
    for (int16_t j = 0; j < kMaxReplaceSets && !reader.atEnd(); ++j) {
        const auto fields = splitReplaceSetLine(reader.line());
        if (!fields) {
            throw SettingsReadError{};
        }
        const auto& [name, before, after] = *fields;
        app.textWindow.setReplaceSet(j, name, before, after);
        app.replaceEditor.setReplaceSet(static_cast<int16_t>(j + 1), name, before, after);
    }
}

std::u16string booleanText(bool value) {
    return value ? u"True" : u"False";
}

std::u16string hotKeyComment(int list) {
    return u"/ " + toDecimal(list) + u"番目のホットキーの設定です。ここは書き換えないでください。";
}

}  // namespace

bool readInitialFile(App& app) {
    try {
        const auto lines = readTextLines(app.platform, app.programFolder() + kSettingsFileName);
        if (!lines) {
            throw SettingsReadError{};
        }
        ValueReader reader(*lines);
        readValues(app, reader);
        readReplaceSets(app, reader);
    } catch (const SettingsReadError&) {
        app.message(kReadFailedMessage, kMbIconExclamation);
        app.endProcess();
        return false;
    }
    setEnableHotkey(app);
    return true;
}

bool saveIniFile(App& app) {
    return writeSettingsFile(app, app.programFolder() + kSettingsFileName);
}

bool writeSettingsFile(App& app, const std::u16string& path) {
    const Settings& settings = app.settings;
    const double minutes = settings.separatorInterval < 0
                               ? settings.separatorInterval
                               : settings.separatorInterval * kMinutesPerDay;
    const double widthPx =
        static_cast<double>(settings.largeDescMaxWidth) / app.platform.twipsPerPixelX();

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
        toDecimal(static_cast<int64_t>(roundHalfEven(widthPx))) + kDescriptionComment,
        toDecimal(app.textWindow.getTranslucentIndex()) + kOpacityComment,
        toDecimal(app.hotkeys.popupShifts) + kPopupHotKeyComment,
        toDecimal(app.hotkeys.popupKeyCode) + kPopupHotKeyComment,
    };
    for (int i = 0; i < 7; ++i) {
        const HotKeySetting& hotKey = app.hotkeys.hotKeys[static_cast<size_t>(i)];
        lines.push_back(toDecimal(hotKey.prePushHotKey) + hotKeyComment(i));
        lines.push_back(toDecimal(hotKey.pushedKey) + hotKeyComment(i));
    }
    for (int16_t j = 0; j <= app.replaceEditor.getPopupNum() - 2; ++j) {
        lines.push_back(formatReplaceSetLine(app.textWindow.getReplaceWord(j, 0),
                                             app.textWindow.getReplaceWord(j, 1),
                                             app.textWindow.getReplaceWord(j, 2)));
    }
    return writeTextLines(app.platform, path, lines);
}

}  // namespace wordvane
