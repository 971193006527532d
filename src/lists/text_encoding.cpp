#include "lists/text_encoding.h"

#include <cstdint>

#include "lists/cp932.h"
#include "util/utf8.h"

namespace wordvane {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// Whether `bytes` is well-formed UTF-8 (no overlong form, no surrogate,
// nothing above U+10FFFF), and whether it has a multi-byte sequence.
bool wellFormedUtf8(std::string_view bytes, bool& multiByte) {
    multiByte = false;
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<uint8_t>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length = 0;
        uint8_t low = 0x80;
        uint8_t high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > bytes.size()) {
            return false;
        }
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<uint8_t>(bytes[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) {
                return false;
            }
        }
        multiByte = true;
        i += length;
    }
    return true;
}

DecodedText decodeUtf16(std::string_view bytes, bool bigEndian) {
    DecodedText decoded{u"", bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le,
                        bytes.size() % 2 == 0};
    decoded.text.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<uint8_t>(bytes[i]);
        const auto second = static_cast<uint8_t>(bytes[i + 1]);
        decoded.text.push_back(
            static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    // Every surrogate in a pair, or the text would not come back the same.
    const std::u16string& text = decoded.text;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (high || low) {
            decoded.exact = false;
        }
    }
    return decoded;
}

std::string encodeIn(std::u16string_view text, TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Cp932:
            return encodeCp932(text);
        case TextEncoding::Utf8:
            return toUtf8(text);
        case TextEncoding::Utf8WithMark:
            return std::string(kUtf8Mark) + toUtf8(text);
        case TextEncoding::Utf16Le:
        case TextEncoding::Utf16Be: {
            const bool bigEndian = encoding == TextEncoding::Utf16Be;
            std::string bytes(bigEndian ? kUtf16BeMark : kUtf16LeMark);
            for (const char16_t unit : text) {
                const auto high = static_cast<char>(unit >> 8);
                const auto low = static_cast<char>(unit & 0xFF);
                bytes.push_back(bigEndian ? high : low);
                bytes.push_back(bigEndian ? low : high);
            }
            return bytes;
        }
    }
    return encodeCp932(text);
}

}  // namespace

TextEncoding encodingShownBy(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark)) {
        return TextEncoding::Utf8WithMark;
    }
    if (bytes.starts_with(kUtf16LeMark)) {
        return TextEncoding::Utf16Le;
    }
    if (bytes.starts_with(kUtf16BeMark)) {
        return TextEncoding::Utf16Be;
    }
    bool multiByte = false;
    return wellFormedUtf8(bytes, multiByte) && multiByte ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

DecodedText decodeText(std::string_view bytes) {
    switch (encodingShownBy(bytes)) {
        case TextEncoding::Utf8WithMark: {
            const std::string_view body = bytes.substr(kUtf8Mark.size());
            bool multiByte = false;
            return DecodedText{fromUtf8(body), TextEncoding::Utf8WithMark,
                               wellFormedUtf8(body, multiByte)};
        }
        case TextEncoding::Utf16Le:
            return decodeUtf16(bytes.substr(kUtf16LeMark.size()), false);
        case TextEncoding::Utf16Be:
            return decodeUtf16(bytes.substr(kUtf16BeMark.size()), true);
        case TextEncoding::Utf8:
            return DecodedText{fromUtf8(bytes), TextEncoding::Utf8, true};
        case TextEncoding::Cp932:
            break;
    }
    DecodedText decoded;
    decoded.text = decodeCp932(bytes, &decoded.exact);
    return decoded;
}

std::string encodeText(std::u16string_view text, TextEncoding encoding, bool* readsBack) {
    if (readsBack == nullptr) {
        return encodeIn(text, encoding);
    }
    if (encoding == TextEncoding::Cp932) {
        bool exact = false;
        std::string bytes = encodeCp932(text, &exact);
        *readsBack = exact && encodingShownBy(bytes) == TextEncoding::Cp932;
        return bytes;
    }
    std::string bytes = encodeIn(text, encoding);
    *readsBack = decodeText(bytes).text == text;
    return bytes;
}

const char* encodingName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::Cp932:
            return "Shift_JIS";
        case TextEncoding::Utf8:
            return "UTF-8";
        case TextEncoding::Utf8WithMark:
            return "UTF-8 (BOM)";
        case TextEncoding::Utf16Le:
            return "UTF-16LE";
        case TextEncoding::Utf16Be:
            return "UTF-16BE";
    }
    return "Shift_JIS";
}

}  // namespace wordvane
