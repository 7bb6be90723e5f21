#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace strativex {

// Positions and sizes of the drawings are 16-bit integers, rounded to the nearest with halves
// to even. A value beyond the 16-bit range (a damaged model with absurd sizes) is held at the
// range's end rather than wrapping around.
inline std::int16_t RoundToInt16(double value) {
    if (std::isnan(value)) return 0;
    constexpr double kLowest = std::numeric_limits<std::int16_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::nearbyint(std::clamp(value, kLowest, kHighest)));
}

}  // namespace strativex
