#pragma once

#include <QString>

#include <string>

namespace strativex {

// Paths are kept in the program's state as the file system's own bytes.
std::string NativePath(const QString& path);
QString PathText(const std::string& nativePath);

}  // namespace strativex
