#pragma once

#include <optional>
#include <string>

namespace strativex {

// The file's bytes as they stand; nothing when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace strativex
