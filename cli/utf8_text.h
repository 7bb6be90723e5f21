#pragma once

#include <string>
#include <string_view>

namespace strativex {

// The text with each byte that is not part of a well-formed UTF-8 sequence replaced by U+FFFD,
// so that a file name of any bytes still makes valid JSON and CSV.
std::string ValidUtf8(std::string_view bytes);

}  // namespace strativex
