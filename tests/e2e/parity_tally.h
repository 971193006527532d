#pragma once

// The parity programs' tally: each comparison of the program's answer with
// the system's, the first differences in hexadecimal, and one JSON line at
// the end (how many were compared, the differences).

#include <cstdio>
#include <string>
#include <type_traits>
#include <vector>

struct Tally {
    long checked = 0;
    std::vector<std::string> differences;

    template <typename Text>
    static void hex(std::string& out, const Text& text) {
        char item[8];
        for (const auto unit : text) {
            std::snprintf(
                item, sizeof(item), " %X",
                static_cast<unsigned>(static_cast<std::make_unsigned_t<decltype(unit)>>(unit)));
            out += item;
        }
    }
    template <typename From, typename To>
    void compare(const char* what, const From& input, const To& ours, const To& system) {
        ++checked;
        if (ours != system && differences.size() < 20) {
            std::string line = std::string(what) + ":";
            hex(line, input);
            line += " ours";
            hex(line, ours);
            line += " system";
            hex(line, system);
            differences.push_back(line);
        }
    }
    // Prints the JSON line; the exit code: 0 when nothing differed.
    int report() const {
        std::printf("{\"checked\": %ld, \"differences\": [", checked);
        for (size_t i = 0; i < differences.size(); ++i) {
            std::printf("%s\"%s\"", i == 0 ? "" : ", ", differences[i].c_str());
        }
        std::printf("]}\n");
        return differences.empty() ? 0 : 1;
    }
};
