#include "cli/base_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace strativex {
namespace {

constexpr const char* kHeatTransfer = "--base-h";
constexpr const char* kSinkResistance = "--sink-r";

// The whole text as one finite number, nothing else.
std::optional<double> NumberIn(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || errno == ERANGE || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

bool IsBaseOption(const std::string& name) {
    return name == kHeatTransfer || name == kSinkResistance;
}

std::optional<std::string> ApplyBaseOption(exact::BaseCondition& base, const std::string& name,
                                           const std::string& value) {
    if (!base.IsIsothermal()) {
        return std::string(kHeatTransfer) + " and " + kSinkResistance +
               " exclude each other: give one base condition";
    }
    const bool heatTransfer = name == kHeatTransfer;
    const auto number = NumberIn(value);
    if (!number || *number <= 0.0) {
        return name + " needs a positive number of " + (heatTransfer ? "W/m2-K" : "K/W") +
               ", not '" + value + "'";
    }
    base.Kind = heatTransfer ? exact::BaseKind::HeatTransfer : exact::BaseKind::SinkResistance;
    base.Value = *number;
    return std::nullopt;
}

}  // namespace strativex
