#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace strativex {

// Sane sizes for the files the programs read: a model is a few kilobytes of text, the
// preferences and the materials files less still.
inline constexpr std::size_t kModelFileLimit = std::size_t{16} << 20;
inline constexpr std::size_t kSmallFileLimit = std::size_t{4} << 20;

struct FileRead {
    std::optional<std::string> Content;
    bool Absent = false;  // nothing at all at the path
    std::string Problem;  // why there is no content: "no such file", "is a directory", ...
};

// The bytes of a regular file of at most limit bytes. Anything else (a folder, a pipe, a device,
// a larger file) is refused before a byte is read, so that no reader can hang or grow without
// end.
FileRead ReadBoundedFile(const std::string& path, std::size_t limit);

}  // namespace strativex
