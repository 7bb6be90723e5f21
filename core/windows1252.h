#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace strativex {

// Model files, material names and comments are Windows-1252 bytes; every byte becomes one
// character. The five bytes that code page leaves unassigned keep their C1 control point, so
// nothing is dropped.
std::string Windows1252ToUtf8(std::string_view bytes);

// The inverse; nothing when the text holds a character the code page cannot store, or is not
// valid UTF-8.
std::optional<std::string> Utf8ToWindows1252(std::string_view utf8);

}  // namespace strativex
