// Writes how the system converts code page 932, for make_tables.py: every
// single byte and every two-byte sequence decoded, every UTF-16 code unit
// encoded. Run under Wine, whose code page 932 follows Windows'.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kCodePage = 932;

void decode(std::FILE* out, const char* tag, const std::string& bytes) {
    wchar_t units[8] = {};
    const int length =
        MultiByteToWideChar(kCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), units, 8);
    std::fprintf(out, "%s", tag);
    for (const unsigned char byte : bytes) {
        std::fprintf(out, " %02X", byte);
    }
    std::fprintf(out, " :");
    for (int i = 0; i < length; ++i) {
        std::fprintf(out, " %04X", static_cast<unsigned>(units[i]));
    }
    std::fprintf(out, "\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: dump_cp932 OUTPUT\n");
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        return 1;
    }
    for (int first = 0; first < 256; ++first) {
        decode(out, "D", std::string(1, static_cast<char>(first)));
        if (IsDBCSLeadByteEx(kCodePage, static_cast<BYTE>(first))) {
            for (int second = 0; second < 256; ++second) {
                decode(out, "D", std::string{static_cast<char>(first), static_cast<char>(second)});
            }
        }
    }
    for (unsigned unit = 0; unit < 0x10000; ++unit) {
        const wchar_t text[1] = {static_cast<wchar_t>(unit)};
        char bytes[8] = {};
        const int length = WideCharToMultiByte(kCodePage, 0, text, 1, bytes, 8, nullptr, nullptr);
        std::fprintf(out, "E %04X :", unit);
        for (int i = 0; i < length; ++i) {
            std::fprintf(out, " %02X", static_cast<unsigned char>(bytes[i]));
        }
        std::fprintf(out, "\n");
    }
    return std::fclose(out) == 0 ? 0 : 1;
}
