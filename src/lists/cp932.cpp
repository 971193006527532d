#include "lists/cp932.h"

#include <array>
#include <cstdint>
#include <memory>

#include "lists/cp932_tables.h"

namespace wordvane {

using namespace cp932;

std::u16string decodeCp932(std::string_view bytes, bool* exact) {
    // The one pair whose character is the one unassigned pairs read as.
    constexpr uint8_t kMiddleDotLead = 0x81;
    constexpr int kMiddleDotSecond = 0x45;
    bool allCharacters = true;
    std::u16string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<uint8_t>(bytes[i]);
        const uint8_t lead = kLeadIndex[byte];
        if (lead == 0 || i + 1 == bytes.size() || bytes[i + 1] == '\0') {
            allCharacters = allCharacters && lead == 0;  // a lead byte alone is none
            text.push_back(static_cast<char16_t>(kSingleBytes[byte]));
            continue;
        }
        // A lead byte takes any byte but a zero after it.
        const int second = static_cast<uint8_t>(bytes[++i]);
        const char16_t unit = second >= kFirstTrail && second <= kLastTrail
                                  ? static_cast<char16_t>(kPairs[lead - 1][second - kFirstTrail])
                                  : kUnassigned;
        allCharacters = allCharacters && (unit != kUnassigned ||
                                          (byte == kMiddleDotLead && second == kMiddleDotSecond));
        text.push_back(unit);
    }
    if (exact != nullptr) {
        *exact = allCharacters;
    }
    return text;
}

namespace {

// Every code unit's bytes: one byte below 0x100, else lead and second byte.
using EncodeTable = std::array<uint16_t, 0x10000>;

std::unique_ptr<EncodeTable> buildEncodeTable() {
    auto table = std::make_unique<EncodeTable>();
    table->fill(0);
    const auto first = [&](uint16_t unit, uint16_t bytes) {
        if ((*table)[unit] == 0) {
            (*table)[unit] = bytes;
        }
    };
    for (int byte = 1; byte < 256; ++byte) {
        if (kLeadIndex[byte] == 0) {
            first(kSingleBytes[byte], static_cast<uint16_t>(byte));
        }
    }
    for (int lead = 0; lead < 256; ++lead) {
        if (kLeadIndex[lead] == 0) {
            continue;
        }
        for (size_t k = 0; k < kTrailCount; ++k) {
            first(kPairs[kLeadIndex[lead] - 1][k],
                  static_cast<uint16_t>(lead << 8 | static_cast<int>(kFirstTrail + k)));
        }
    }
    for (const EncodeException& exception : kEncodeExceptions) {
        (*table)[exception.unit] = exception.bytes;
    }
    for (size_t unit = 1; unit < table->size(); ++unit) {
        if ((*table)[unit] == 0) {
            (*table)[unit] = '?';
        }
    }
    return table;
}

}  // namespace

std::string encodeCp932(std::u16string_view text) {
    static const std::unique_ptr<EncodeTable> table = buildEncodeTable();
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        const uint16_t code = (*table)[unit];
        if (code > 0xFF) {
            bytes.push_back(static_cast<char>(code >> 8));
        }
        bytes.push_back(static_cast<char>(code & 0xFF));
    }
    return bytes;
}

}  // namespace wordvane
