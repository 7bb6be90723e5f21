#pragma once

#include <array>
#include <string>

namespace strativex {

// Slots 1..4 hold the most recently used model files, most recent first; slot 0 is the spill
// slot for the entry that falls off the end and is neither shown nor stored.
using RecentFileList = std::array<std::string, 5>;

// Puts path at the top; a path already listed moves up without losing any other entry.
void AddRecentFile(RecentFileList& recent, const std::string& path);

}  // namespace strativex
