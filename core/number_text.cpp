#include "core/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "core/model.h"

namespace strativex {
namespace {

// Enough for any kelvin value a float holds above its smallest normal magnitudes.
constexpr int kMostCelsiusDecimals = 20;

template <typename T>
std::optional<std::string> Shortest(T value) {
    if (!std::isfinite(value)) return std::nullopt;
    // Large enough for the longest shortest form of a double ("-2.2250738585072014e-308").
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

}  // namespace

std::optional<std::string> ShortestText(float value) {
    return Shortest(value);
}

std::optional<std::string> ShortestText(double value) {
    return Shortest(value);
}

std::optional<std::string> CelsiusText(float kelvin) {
    const double celsius = static_cast<double>(kelvin) - kKelvinOffset;
    if (!std::isfinite(celsius)) return std::nullopt;
    std::array<char, 64> buffer{};
    for (int decimals = 0; decimals <= kMostCelsiusDecimals; ++decimals) {
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), celsius,
                                          std::chars_format::fixed, decimals);
        if (result.ec != std::errc()) break;
        const std::string text(buffer.data(), result.ptr);
        if (static_cast<float>(std::strtod(text.c_str(), nullptr) + kKelvinOffset) == kelvin) {
            return text;
        }
    }
    return Shortest(celsius);
}

}  // namespace strativex
