#include "persistence/paths.h"

#include <algorithm>

namespace strativex {
namespace {

constexpr const char* kNoPart = "Error";

// A leading "/" or a drive such as "C:\" stays in front of the ellipsis.
std::string RootPrefix(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) {
        return path.substr(0, 3);
    }
    return path.starts_with(kPathSeparator) ? std::string(1, kPathSeparator) : std::string();
}

}  // namespace

std::string FileNamePart(const std::string& path) {
    const auto last = path.find_last_of(kPathSeparator);
    if (last == std::string::npos) return kNoPart;
    return path.substr(last + 1);
}

std::string FolderPart(const std::string& path) {
    const auto last = path.find_last_of(kPathSeparator);
    if (last == std::string::npos) return kNoPart;
    return path.substr(0, last);
}

std::string ShortenPath(const std::string& path, const TextWidthFunction& width, double maxWidth) {
    if (width(path) < maxWidth) return path;
    std::string prefix = RootPrefix(path);
    const std::string rest = path.substr(prefix.size());
    const char separator = prefix.size() == 3 ? prefix[2] : kPathSeparator;
    prefix += std::string("...") + separator;
    std::string result = prefix + rest;
    while (width(result) > maxWidth && result.size() >= 3) {
        auto cut = result.find_first_of("/\\", prefix.size());
        if (cut == std::string::npos) cut = result.size() - 1;
        const std::string shorter = prefix + result.substr(std::min(cut + 1, result.size()));
        // A lone name that never fits ends as the bare prefix.
        if (shorter == result) break;
        result = shorter;
    }
    return result;
}

}  // namespace strativex
