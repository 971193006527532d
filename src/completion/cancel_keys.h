#pragma once

#include <cstdint>
#include <string>

namespace wordvane {

class App;

// Parses a list's cancel-key line (up to ten comma-separated items) into its
// ten cancel-key slots.
void separateString(App& app, int16_t listIndex, const std::u16string& line);

}  // namespace wordvane
