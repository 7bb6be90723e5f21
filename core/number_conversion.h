#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Strict conversions for numbers read from files: the whole field must be one number in
// plain decimal or exponent form with "." as the decimal point, whatever the locale.
namespace strativex {

std::optional<double> ParseDecimal(std::string_view text);
std::optional<float> ParseSingle(std::string_view text);
std::optional<std::int16_t> ParseInt16(std::string_view text);

}  // namespace strativex
