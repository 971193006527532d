#pragma once

#include <string>

namespace wordvane {

// ">" at the start of every line (an empty text becomes ">").
std::u16string getKettString(const std::u16string& source);
// "<br>" before every line break (CR LF).
std::u16string getBrString(const std::u16string& source);

}  // namespace wordvane
