#include "lists/cp932.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>

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

// Every code unit's bytes: one byte below 0x100, else lead and second byte;
// and, a bit for each unit, whether those bytes decode to the unit itself
// (not for a best fit or "?").
struct EncodeTable {
    std::array<uint16_t, 0x10000> bytes;
    std::array<uint64_t, 0x10000 / 64> roundTrips;
};

bool decodesTo(uint16_t code, char16_t unit) {
    if (code <= 0xFF) {
        return kLeadIndex[code] == 0 && kSingleBytes[code] == unit;
    }
    const uint8_t lead = kLeadIndex[code >> 8];
    const int second = code & 0xFF;
    return lead != 0 && second >= kFirstTrail && second <= kLastTrail &&
           kPairs[lead - 1][second - kFirstTrail] == unit;
}

std::unique_ptr<EncodeTable> buildEncodeTable() {
    auto codes = std::make_unique<EncodeTable>();
    auto* table = &codes->bytes;
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
    codes->roundTrips.fill(0);
    for (size_t unit = 0; unit < table->size(); ++unit) {
        if (unit > 0 && (*table)[unit] == 0) {
            (*table)[unit] = '?';
        }
        if (decodesTo((*table)[unit], static_cast<char16_t>(unit))) {
            codes->roundTrips[unit >> 6] |= uint64_t{1} << (unit & 63);
        }
    }
    return codes;
}

const EncodeTable& encodeTable() {
    static const std::unique_ptr<EncodeTable> table = buildEncodeTable();
    return *table;
}

}  // namespace

Cp932Writer::Cp932Writer(size_t expectedUnits)
    : codes_(encodeTable().bytes.data()),
      roundTrips_(encodeTable().roundTrips.data()),
      bytes_(std::max<size_t>(expectedUnits * 2, 64), '\0'),
      out_(bytes_.data()),
      end_(bytes_.data() + bytes_.size()) {}

void Cp932Writer::makeRoom(size_t bytes) {
    const size_t written = static_cast<size_t>(out_ - bytes_.data());
    bytes_.resize(std::max(bytes_.size() * 2, written + bytes));
    out_ = bytes_.data() + written;
    end_ = bytes_.data() + bytes_.size();
}

std::string Cp932Writer::take() {
    bytes_.resize(static_cast<size_t>(out_ - bytes_.data()));
    out_ = end_ = nullptr;
    return std::move(bytes_);
}

std::string encodeCp932(std::u16string_view text, bool* exact) {
    Cp932Writer writer(text.size());
    writer.append(text);
    if (exact != nullptr) {
        *exact = writer.exact();
    }
    return writer.take();
}

}  // namespace wordvane
