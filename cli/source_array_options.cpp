#include "cli/source_array_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace strativex {
namespace {

constexpr const char* kSources = "--sources";
constexpr const char* kPitch = "--pitch";

std::optional<int> WholeNumberIn(const std::string& text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<double> LengthIn(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value) ||
        value <= 0.0) {
        return std::nullopt;
    }
    return value;
}

// "AxB" or "A,B" split at the first separator.
std::optional<std::pair<std::string, std::string>> Halves(const std::string& text,
                                                          const std::string& separators) {
    const auto at = text.find_first_of(separators);
    if (at == std::string::npos) return std::nullopt;
    return std::pair{text.substr(0, at), text.substr(at + 1)};
}

std::optional<std::string> ReadCount(exact::SourceArray& array, const std::string& text) {
    const auto halves = Halves(text, "xX");
    const auto x = halves ? WholeNumberIn(halves->first) : std::nullopt;
    const auto y = halves ? WholeNumberIn(halves->second) : std::nullopt;
    if (!x || !y || *x < 1 || *y < 1 || *x > exact::kMaxSourcesPerAxis ||
        *y > exact::kMaxSourcesPerAxis) {
        return std::string(kSources) + " needs NXxNY, whole numbers from 1 to " +
               std::to_string(exact::kMaxSourcesPerAxis) + " (such as 2x3), not '" + text + "'";
    }
    array.CountX = *x;
    array.CountY = *y;
    return std::nullopt;
}

std::optional<std::string> ReadPitch(exact::SourceArray& array, const std::string& text) {
    const auto halves = Halves(text, ",");
    const auto x = halves ? LengthIn(halves->first) : std::nullopt;
    const auto y = halves ? LengthIn(halves->second) : std::nullopt;
    if (!x || !y) {
        return std::string(kPitch) +
               " needs PX,PY, two positive lengths in the model's unit (such as 2.5,3), not '" +
               text + "'";
    }
    array.PitchX = *x;
    array.PitchY = *y;
    return std::nullopt;
}

}  // namespace

bool IsSourceArrayOption(const std::string& name) {
    return name == kSources || name == kPitch;
}

std::optional<std::string> KeepSourceArrayOption(SourceArrayArguments& arguments,
                                                 const std::string& name,
                                                 const std::string& value) {
    auto& kept = name == kSources ? arguments.Count : arguments.Pitch;
    if (kept) return name + " was given twice";
    kept = value;
    return std::nullopt;
}

std::optional<std::string> ReadSourceArray(exact::SourceArray& array,
                                           const SourceArrayArguments& arguments) {
    if (!arguments.Count && !arguments.Pitch) return std::nullopt;
    if (!arguments.Count) return std::string(kPitch) + " needs " + kSources + " NXxNY";
    if (!arguments.Pitch) {
        return std::string(kSources) + " needs " + kPitch +
               " PX,PY: the distance between the sources' centres";
    }
    if (auto error = ReadCount(array, *arguments.Count)) return error;
    return ReadPitch(array, *arguments.Pitch);
}

}  // namespace strativex
