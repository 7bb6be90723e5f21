#pragma once

#include <string>
#include <string_view>

namespace strativex {

// One field of a CSV line, quoted only when it must be (RFC 4180).
std::string CsvField(std::string_view text);

}  // namespace strativex
