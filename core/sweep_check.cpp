#include "core/sweep_check.h"

#include <cmath>
#include <string_view>

#include "core/number_format.h"
#include "core/units.h"

namespace strativex {
namespace {

std::string Quantity(float value, std::string_view unit) {
    return NumberText(value) + " " + std::string(unit);
}

// The ends are what the user typed, so they are named first; an inner point falls outside only
// where a sweep starts from 0, "no limit".
std::optional<float> FirstOutside(const QuantityDescriptor& quantity, LengthUnit unit,
                                  const std::vector<float>& values) {
    const auto outside = [&](float value) { return !Accepts(quantity, value, unit); };
    for (const float end : {values.front(), values.back()}) {
        if (outside(end)) return end;
    }
    for (const float value : values) {
        if (outside(value)) return value;
    }
    return std::nullopt;
}

std::optional<std::string> OutOfRange(const SweepRequest& request, LengthUnit unit) {
    const auto value = FirstOutside(QuantityOf(request.Quantity), unit, SweepValues(request));
    if (!value) return std::nullopt;
    return OutsideAcceptedText(request.Quantity, request.Layer, *value, unit);
}

std::optional<std::string> MissingMaterial(const MaterialTable& table,
                                           const SweepRequest& request) {
    for (const std::int16_t id : request.MaterialIds) {
        if (id < 1 || FindMaterialIndex(table, id) == 0) {
            return "material id " + std::to_string(id) + " is not in the materials table";
        }
    }
    return std::nullopt;
}

std::optional<std::string> MaterialListError(const SweepRequest& request) {
    const auto count = request.MaterialIds.size();
    if (count < 2) return "a material sweep needs at least 2 materials";
    if (count > kMaxSweepPoints) {
        return "a sweep takes at most " + std::to_string(kMaxSweepPoints) + " points";
    }
    if (request.Spacing == SweepSpacing::Logarithmic) {
        return "a material sweep has no logarithmic steps";
    }
    return std::nullopt;
}

std::optional<std::string> NumericRangeError(const SweepRequest& request) {
    if (request.PointCount < 2) return "a sweep needs at least 2 points";
    if (request.PointCount > kMaxSweepPoints) {
        return "a sweep takes at most " + std::to_string(kMaxSweepPoints) + " points";
    }
    const auto from = static_cast<float>(request.From);
    const auto to = static_cast<float>(request.To);
    if (!std::isfinite(from) || !std::isfinite(to)) return "the sweep's ends must be finite";
    if (from == to) return "the sweep starts and ends at the same value, " + NumberText(from);
    if (request.Spacing == SweepSpacing::Logarithmic && !(from > 0.0f && to > 0.0f)) {
        return "a logarithmic sweep needs a start and an end above 0";
    }
    return std::nullopt;
}

std::string LayerCountText(int count) {
    return std::to_string(count) + (count == 1 ? " layer" : " layers");
}

}  // namespace

std::optional<std::string> OutsideAcceptedText(QuantityId quantity, int layer, float value,
                                               LengthUnit unit) {
    const QuantityDescriptor& described = QuantityOf(quantity);
    if (Accepts(described, value, unit)) return std::nullopt;
    const AcceptedRange range = AcceptedRangeOf(described, unit);
    const std::string_view shown = UnitText(described.Unit, unit);
    return QuantityText(quantity, layer) + " " + Quantity(value, shown) +
           " is outside the accepted " + NumberText(range.Low) + " to " +
           Quantity(range.High, shown) + (described.ZeroMeansNoLimit ? " (or 0 for no limit)" : "");
}

std::optional<std::string> SweepRequestError(const SweepRequest& request) {
    if (IsLayerQuantity(request.Quantity) && request.Layer < 1) {
        return "there is no layer " + std::to_string(request.Layer) +
               ": layers are numbered from 1";
    }
    return request.Quantity == QuantityId::Material ? MaterialListError(request)
                                                    : NumericRangeError(request);
}

std::optional<std::string> SweepModelError(const Model& model, const MaterialTable& table,
                                           const SweepRequest& request) {
    if (auto error = SweepRequestError(request)) return error;
    if (model.LayerCount < 1) return "the model has no layers to calculate";
    if (model.LayerCount > kMaxLayerCount) {
        return "the model has more than " + LayerCountText(kMaxLayerCount);
    }
    if (IsLayerQuantity(request.Quantity) && request.Layer > model.LayerCount) {
        return "layer " + std::to_string(request.Layer) + " does not exist: the model has " +
               LayerCountText(model.LayerCount);
    }
    return request.Quantity == QuantityId::Material ? MissingMaterial(table, request)
                                                    : OutOfRange(request, model.UnitSystem);
}

}  // namespace strativex
