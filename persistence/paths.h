#pragma once

#include <functional>
#include <string>

namespace strativex {

inline constexpr char kPathSeparator = '/';

// The part after the last separator; "Error" when the path is empty or has no separator.
std::string FileNamePart(const std::string& path);
// The part before the last separator; "Error" in the same cases.
std::string FolderPart(const std::string& path);

// Measures a text in the units of maxWidth (the caller's font and surface).
using TextWidthFunction = std::function<double(const std::string&)>;

// Drops leading folders after an ellipsis until the path fits: "/home/ann/models/a.mdl"
// becomes "/.../ann/models/a.mdl", then "/.../models/a.mdl", and so on. The file name is always
// kept whole when it fits alone, and shortened in its middle ("gaas_mmic…carrier.mdl") when it
// does not.
std::string ShortenPath(const std::string& path, const TextWidthFunction& width, double maxWidth);

}  // namespace strativex
