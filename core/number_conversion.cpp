#include "core/number_conversion.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace strativex {
namespace {

std::string_view TrimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool StartsLikeNumber(std::string_view text) {
    return !text.empty() && ((text[0] >= '0' && text[0] <= '9') || text[0] == '.');
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (!StartsLikeNumber(text)) return std::nullopt;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return negative ? -value : value;
}

std::optional<float> ParseSingle(std::string_view text) {
    const auto value = ParseDecimal(text);
    if (!value) return std::nullopt;
    const auto single = static_cast<float>(*value);
    if (!std::isfinite(single)) return std::nullopt;
    return single;
}

std::optional<std::int16_t> ParseInt16(std::string_view text) {
    const auto value = ParseDecimal(text);
    if (!value || std::trunc(*value) != *value) return std::nullopt;
    if (*value < std::numeric_limits<std::int16_t>::min() ||
        *value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

}  // namespace strativex
