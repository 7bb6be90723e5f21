#pragma once

#include <string>
#include <string_view>

namespace strativex {

// Model files, material names and comments are Windows-1252 bytes; every byte becomes one
// character. The five bytes that code page leaves unassigned keep their C1 control point, so
// nothing is dropped.
std::string Windows1252ToUtf8(std::string_view bytes);

}  // namespace strativex
