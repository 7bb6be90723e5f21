#pragma once

#include <string_view>

namespace strativex {

inline constexpr std::string_view kProgramName = "strativex-calc";

// The short reminder shown after a usage error.
std::string_view UsageText();
// The full explanation of --help.
std::string_view HelpText();

}  // namespace strativex
