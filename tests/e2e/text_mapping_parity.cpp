// The tables the tests and the simulator map characters with against the
// desktop's own mapping (the program's LCMapStringEx): every UTF-16 code
// unit outside the surrogates under each mapping, every half-width katakana
// with a voiced mark under the full-width mapping, and the search's folding
// and the conversions of a few texts through both. Prints one JSON line:
// how many were compared and the first differences.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "parity_tally.h"
#include "platform/win32/win32_platform.h"
#include "util/text_mapping.h"

namespace {

using wordvane::TextMapping;

// The desktop with the tables' mapping in place of the system's.
class TablesDesktop : public wordvane::win32::Win32Platform {
  public:
    using Win32Platform::Win32Platform;
    std::u16string mapText(std::u16string_view text, TextMapping mapping) override {
        return wordvane::mapByTables(text, mapping);
    }
};

}  // namespace

int main() {
    wordvane::win32::Win32Platform desktop(GetModuleHandleW(nullptr));
    TablesDesktop tables(GetModuleHandleW(nullptr));
    Tally tally;
    const std::pair<TextMapping, const char*> mappings[] = {{TextMapping::Lowercase, "lowercase"},
                                                            {TextMapping::Halfwidth, "halfwidth"},
                                                            {TextMapping::Fullwidth, "fullwidth"},
                                                            {TextMapping::Katakana, "katakana"},
                                                            {TextMapping::Hiragana, "hiragana"}};
    for (const auto& [mapping, name] : mappings) {
        for (unsigned unit = 1; unit < 0x10000; ++unit) {
            if (unit >= 0xD800 && unit < 0xE000) {
                continue;
            }
            const std::u16string one(1, static_cast<char16_t>(unit));
            tally.compare(name, one, tables.mapText(one, mapping), desktop.mapText(one, mapping));
        }
    }
    for (char16_t unit = 0xFF61; unit <= 0xFF9F; ++unit) {
        for (char16_t mark : {u'\xFF9E', u'\xFF9F'}) {
            const std::u16string pair{unit, mark};
            tally.compare("fullwidth", pair, tables.mapText(pair, TextMapping::Fullwidth),
                          desktop.mapText(pair, TextMapping::Fullwidth));
        }
    }
    for (const std::u16string text :
         {u"ＡＢＣ abc ｶﾞｷﾞｸﾞ ﾊﾟﾋﾟ ひらがな カタカナ", u"Ｗｏｒｄｖａｎｅ １２３！", u"ｳﾞｧｲｵﾘﾝ"}) {
        tally.compare("fold", text, wordvane::foldForSearch(tables, text),
                      wordvane::foldForSearch(desktop, text));
        tally.compare("fullwidth alphanumerics", text,
                      wordvane::fullwidthAlphanumericsToHalfwidth(tables, text),
                      wordvane::fullwidthAlphanumericsToHalfwidth(desktop, text));
        tally.compare("halfwidth kana", text, wordvane::halfwidthKanaToFullwidth(tables, text),
                      wordvane::halfwidthKanaToFullwidth(desktop, text));
    }
    return tally.report();
}
