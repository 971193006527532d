#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace wordvane {

// A decimal integer within [min, max]: optional blanks around an optional
// sign and at least one digit. Anything else, or a value outside the range,
// is no number.
std::optional<int32_t> parseDecimal(const std::u16string& text, int32_t min, int32_t max);

std::optional<int16_t> parseInt16(const std::u16string& text);
std::optional<int32_t> parseInt32(const std::u16string& text);

std::u16string toDecimal(int64_t value);

}  // namespace wordvane
