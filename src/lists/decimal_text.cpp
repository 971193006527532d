#include "lists/decimal_text.h"

#include <limits>

namespace wordvane {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

}  // namespace

std::optional<int32_t> parseDecimal(const std::u16string& text, int32_t min, int32_t max) {
    size_t i = 0;
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    const size_t digitsStart = i;
    int64_t value = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i] - u'0');
        if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) {
            return std::nullopt;
        }
        ++i;
    }
    if (i == digitsStart) {
        return std::nullopt;
    }
    while (i < text.size() && isBlank(text[i])) {
        ++i;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    if (negative) {
        value = -value;
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

std::optional<int16_t> parseInt16(const std::u16string& text) {
    const auto value = parseDecimal(text, std::numeric_limits<int16_t>::min(),
                                    std::numeric_limits<int16_t>::max());
    if (!value) {
        return std::nullopt;
    }
    return static_cast<int16_t>(*value);
}

std::optional<int32_t> parseInt32(const std::u16string& text) {
    return parseDecimal(text, std::numeric_limits<int32_t>::min(),
                        std::numeric_limits<int32_t>::max());
}

std::u16string toDecimal(int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace wordvane
