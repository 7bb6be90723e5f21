#include "persistence/recent_files.h"

namespace strativex {

void AddRecentFile(RecentFileList& recent, const std::string& path) {
    if (path.empty()) return;
    for (int k = 4; k >= 1; --k) recent[(k + 1) % 5] = recent[k];
    recent[1] = path;
    for (int j = 2; j <= 4; ++j) {
        if (recent[j] != recent[1]) continue;
        for (int k = j; k <= 4; ++k) recent[k] = recent[(k + 1) % 5];
        break;
    }
}

}  // namespace strativex
