#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// A folder of the system's temporary folder for a fuzz target's files.
inline std::string fuzzFolder(const char* name) {
    const auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(dir);
    return dir.string();
}

// The fuzzer's bytes as UTF-16 code units, little-endian; an odd last byte is
// left out.
inline std::u16string fuzzText(const uint8_t* data, size_t size) {
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    }
    return text;
}
