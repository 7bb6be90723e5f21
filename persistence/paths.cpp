#include "persistence/paths.h"

#include <algorithm>
#include <vector>

namespace strativex {
namespace {

constexpr const char* kNoPart = "Error";
constexpr const char* kEllipsis = "\u2026";

// A leading "/" or a drive such as "C:\" stays in front of the ellipsis.
std::string RootPrefix(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/')) {
        return path.substr(0, 3);
    }
    return path.starts_with(kPathSeparator) ? std::string(1, kPathSeparator) : std::string();
}

// Code points of UTF-8 text, so that a cut never splits a character.
std::vector<std::string> CodePoints(const std::string& text) {
    std::vector<std::string> points;
    for (const char c : text) {
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (continuation && !points.empty()) {
            points.back() += c;
        } else {
            points.emplace_back(1, c);
        }
    }
    return points;
}

// The name with its middle replaced by an ellipsis until it fits; its beginning and its end
// (the extension) stay readable.
std::string MiddleElided(const std::string& name, const TextWidthFunction& width, double maxWidth) {
    const std::vector<std::string> points = CodePoints(name);
    std::string result;
    for (std::size_t keep = points.size() - 1; keep >= 2; --keep) {
        const std::size_t head = (keep + 1) / 2;
        result.clear();
        for (std::size_t i = 0; i < head; ++i) result += points[i];
        result += kEllipsis;
        for (std::size_t i = points.size() - (keep - head); i < points.size(); ++i) {
            result += points[i];
        }
        if (width(result) <= maxWidth) break;
    }
    return result;
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
    while (width(result) > maxWidth) {
        const auto cut = result.find_first_of("/\\", prefix.size());
        // The file name itself is never dropped: it is what the user recognises.
        if (cut == std::string::npos) break;
        result = prefix + result.substr(cut + 1);
    }
    if (width(result) <= maxWidth) return result;
    const std::string name = result.substr(prefix.size());
    if (name.empty() || width(name) <= maxWidth) return name.empty() ? result : name;
    return MiddleElided(name, width, maxWidth);
}

}  // namespace strativex
