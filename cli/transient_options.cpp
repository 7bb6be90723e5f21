#include "cli/transient_options.h"

#include <charconv>

#include "exact/rc_network.h"

namespace strativex {
namespace {

std::optional<int> WholeNumber(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [next, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || next != end) return std::nullopt;
    return value;
}

}  // namespace

bool IsTransientOption(const std::string& name) {
    return name == "--stages" || name == "--spice";
}

std::optional<std::string> ApplyTransientOption(CalcOptions& options, const std::string& name,
                                                const std::string& value) {
    if (name == "--spice") {
        if (value.empty()) return "--spice needs a path";
        options.SpicePath = value;
        return std::nullopt;
    }
    const std::optional<int> stages = WholeNumber(value);
    if (!stages || *stages < exact::kMinStages || *stages > exact::kMaxStages) {
        return "--stages '" + value + "' is not a whole number from " +
               std::to_string(exact::kMinStages) + " to " + std::to_string(exact::kMaxStages);
    }
    options.Stages = stages;
    return std::nullopt;
}

std::optional<std::string> TransientOptionsProblem(const CalcOptions& options) {
    if (!options.Transient) {
        if (options.SpicePath) return "--spice needs --transient";
        if (options.Stages) return "--stages needs --transient";
        return std::nullopt;
    }
    if (options.Sweep) return "--transient cannot be used with --sweep";
    if (options.SpicePath && options.ModelPaths.size() != 1) {
        return "--spice takes exactly one model file";
    }
    return std::nullopt;
}

}  // namespace strativex
