#pragma once

#include <string>
#include <string_view>

// The writing half of the program's comma-separated text files.
namespace strativex {

inline constexpr std::string_view kLineEnd = "\r\n";

std::string QuotedField(std::string_view text);
// Plain decimal, at most 7 significant digits, no leading zero below 1 (".5", "-.25"),
// exponent form for very small and very large magnitudes ("1E-05", "1.5E+07").
std::string FileNumberText(float value);
std::string BooleanField(bool value);

}  // namespace strativex
