#pragma once

#include <cmath>

namespace wordvane {

// The nearest integer, halves to the even neighbour.
inline double roundHalfEven(double value) {
    const double down = std::floor(value);
    const double fraction = value - down;
    if (fraction > 0.5) {
        return down + 1;
    }
    if (fraction < 0.5) {
        return down;
    }
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

}  // namespace wordvane
