// Dumps the system's character mappings for tools/text-mapping-tables/
// make_tables.py, run under Wine:
//   x86_64-w64-mingw32-g++ -O2 -municode -static dump_mappings.cpp -o dump_mappings.exe
//   wine dump_mappings.exe mappings.txt
// For each mapping and every UTF-16 code unit outside the surrogates whose
// mapping is not itself: "M FLAG UNIT : UNITS". For the full-width mapping
// also every half-width katakana followed by a half-width voiced or
// semi-voiced mark that maps to something else than its two parts mapped
// one by one: "P UNIT MARK : UNITS".

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kFlags[] = {LCMAP_LOWERCASE, LCMAP_HALFWIDTH, LCMAP_FULLWIDTH, LCMAP_KATAKANA,
                            LCMAP_HIRAGANA};

std::wstring mapped(const std::wstring& text, DWORD flag) {
    wchar_t out[16] = {};
    const int length = LCMapStringEx(L"ja-JP", flag, text.data(), static_cast<int>(text.size()),
                                     out, 16, nullptr, nullptr, 0);
    return std::wstring(out, static_cast<size_t>(length > 0 ? length : 0));
}

void print(FILE* file, const std::wstring& units) {
    std::fprintf(file, " :");
    for (wchar_t unit : units) {
        std::fprintf(file, " %X", static_cast<unsigned>(unit));
    }
    std::fprintf(file, "\n");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dump_mappings OUTPUT\n");
        return 2;
    }
    FILE* file = _wfopen(argv[1], L"w");
    if (file == nullptr) {
        return 1;
    }
    for (DWORD flag : kFlags) {
        for (unsigned unit = 1; unit < 0x10000; ++unit) {
            if (unit >= 0xD800 && unit < 0xE000) {
                continue;
            }
            const std::wstring one(1, static_cast<wchar_t>(unit));
            const std::wstring result = mapped(one, flag);
            if (result != one) {
                std::fprintf(file, "M %lX %X", flag, unit);
                print(file, result);
            }
        }
    }
    for (unsigned unit = 0xFF61; unit <= 0xFF9F; ++unit) {
        for (wchar_t mark : {L'\xFF9E', L'\xFF9F'}) {
            const std::wstring pair{static_cast<wchar_t>(unit), mark};
            const std::wstring result = mapped(pair, LCMAP_FULLWIDTH);
            const std::wstring apart = mapped(pair.substr(0, 1), LCMAP_FULLWIDTH) +
                                       mapped(pair.substr(1), LCMAP_FULLWIDTH);
            if (result != apart) {
                std::fprintf(file, "P %X %X", unit, static_cast<unsigned>(mark));
                print(file, result);
            }
        }
    }
    std::fclose(file);
    return 0;
}
