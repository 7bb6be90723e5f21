#include "cli/sweep_options.h"

#include <algorithm>
#include <cmath>

#include "cli/sweep_names.h"
#include "core/number_conversion.h"
#include "core/sweep_check.h"

namespace strativex {
namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos;
         at = text.find(separator, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::optional<std::string> ReadMaterialIds(SweepRequest& request, const std::string& list) {
    for (const std::string& item : Split(list, ',')) {
        const auto id = ParseInt16(item);
        if (!id) return "a material id is a whole number, not '" + item + "'";
        request.MaterialIds.push_back(*id);
    }
    return std::nullopt;
}

// A count too large for an int is still too many points, and says so.
std::optional<int> ReadCount(const std::string& text) {
    const auto value = ParseDecimal(text);
    if (!value || std::trunc(*value) != *value) return std::nullopt;
    return static_cast<int>(std::clamp(*value, -1.0, kMaxSweepPoints + 1.0));
}

std::optional<std::string> ReadRange(SweepRequest& request, const std::string& quantity,
                                     const std::string& range) {
    const std::vector<std::string> parts = Split(range, ':');
    if (parts.size() != 3) {
        return "--sweep " + quantity + " needs FROM:TO:STEPS, not '" + range + "'";
    }
    for (int i = 0; i < 2; ++i) {
        const auto value = ParseDecimal(parts[static_cast<std::size_t>(i)]);
        if (!value) return "'" + parts[static_cast<std::size_t>(i)] + "' is not a number";
        (i == 0 ? request.From : request.To) = *value;
    }
    const auto count = ReadCount(parts[2]);
    if (!count) return "STEPS is a whole number of points, not '" + parts[2] + "'";
    request.PointCount = *count;
    return std::nullopt;
}

std::optional<std::string> ReadLayer(SweepRequest& request, const SweepArguments& sweep,
                                     const std::string& quantity) {
    const bool layerQuantity = IsLayerQuantity(request.Quantity);
    if (!sweep.Layer) {
        if (layerQuantity) return "--sweep " + quantity + " needs --layer N";
        return std::nullopt;
    }
    if (!layerQuantity) return "--sweep " + quantity + " takes no --layer";
    const auto layer = ParseInt16(*sweep.Layer);
    if (!layer) return "--layer takes a layer number, not '" + *sweep.Layer + "'";
    request.Layer = *layer;
    return std::nullopt;
}

std::optional<std::string> ReadRequest(SweepRequest& request, const SweepArguments& sweep) {
    const std::string& definition = *sweep.Definition;
    const auto equals = definition.find('=');
    if (equals == std::string::npos) return "--sweep needs QUANTITY=FROM:TO:STEPS";
    const std::string name = definition.substr(0, equals);
    const auto quantity = SweepQuantityNamed(name);
    if (!quantity) {
        return "unknown sweep quantity '" + name + "' (" + SweepQuantityNames() + ")";
    }
    request.Quantity = *quantity;
    request.Spacing = sweep.Logarithmic ? SweepSpacing::Logarithmic : SweepSpacing::Linear;
    if (auto error = ReadLayer(request, sweep, name)) return error;
    const std::string values = definition.substr(equals + 1);
    if (auto error = request.Quantity == QuantityId::Material ? ReadMaterialIds(request, values)
                                                              : ReadRange(request, name, values)) {
        return error;
    }
    return SweepRequestError(request);
}

}  // namespace

std::optional<std::string> ApplySweepArguments(CalcOptions& options, const SweepArguments& sweep) {
    if (!sweep.Definition) {
        if (sweep.Layer || sweep.Logarithmic) return "--layer and --log are only used with --sweep";
        return std::nullopt;
    }
    if (options.ModelPaths.size() != 1) return "--sweep takes exactly one model file";
    if (options.ReportPdfPath) return "--sweep and --report-pdf cannot be combined";
    SweepRequest request;
    if (auto error = ReadRequest(request, sweep)) return error;
    options.Sweep = std::move(request);
    return std::nullopt;
}

}  // namespace strativex
