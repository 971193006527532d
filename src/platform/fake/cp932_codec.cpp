#include "platform/fake/cp932_codec.h"

#include <iconv.h>

#include <bit>
#include <cerrno>
#include <stdexcept>

namespace wordvane {

static_assert(std::endian::native == std::endian::little, "UTF-16LE is the in-memory form");

namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("iconv cannot convert code page 932");
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `input`; at an unconvertible unit `skip(in, left)` tells how
    // many input bytes to drop and `substitute` is written instead.
    template <typename Skip>
    std::string run(std::string_view input, std::string_view substitute, Skip skip) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        std::string output(input.size() * 2 + 16, '\0');
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        size_t written = 0;
        while (inLeft > 0) {
            char* out = output.data() + written;
            size_t outLeft = output.size() - written;
            const size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            written = output.size() - outLeft;
            if (result != static_cast<size_t>(-1)) {
                break;
            }
            if (errno == E2BIG) {
                output.resize(output.size() * 2);
                continue;
            }
            // EILSEQ or EINVAL: one character cannot be converted.
            if (output.size() - written < substitute.size()) {
                output.resize(output.size() * 2);
            }
            output.replace(written, substitute.size(), substitute);
            written += substitute.size();
            const size_t dropped = skip(in, inLeft);
            in += dropped;
            inLeft -= dropped;
        }
        output.resize(written);
        return output;
    }

  private:
    iconv_t handle_;
};

}  // namespace

std::u16string decodeCp932(std::string_view bytes) {
    thread_local Converter converter("UTF-16LE", "CP932");
    const char16_t middleDot = u'\u30FB';
    const std::string utf16 =
        converter.run(bytes, std::string_view(reinterpret_cast<const char*>(&middleDot), 2),
                      [](const char*, size_t) { return size_t{1}; });
    return std::u16string(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size() / 2);
}

std::string encodeCp932(std::u16string_view text) {
    thread_local Converter converter("CP932", "UTF-16LE");
    return converter.run(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size() * 2), "?",
        [](const char* in, size_t left) {
            const auto unit = static_cast<char16_t>(static_cast<unsigned char>(in[0]) |
                                                    (static_cast<unsigned char>(in[1]) << 8));
            const bool pair = unit >= 0xD800 && unit < 0xDC00 && left >= 4;
            return size_t{pair ? 4u : 2u};
        });
}

}  // namespace wordvane
