#include "cli/number_text.h"

#include <array>
#include <charconv>
#include <cmath>

namespace strativex {
namespace {

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

}  // namespace strativex
