#include "core/sweep_check.h"

#include <cmath>
#include <string_view>

#include "core/accepted_ranges.h"
#include "core/number_format.h"
#include "core/units.h"

namespace strativex {
namespace {

// The values the window accepts for each field, in the model's units.
struct ValueRange {
    float Low = 0.0f;
    float High = 0.0f;
    std::string_view Unit;
    bool ZeroMeansNoLimit = false;

    bool Holds(float value) const {
        return (ZeroMeansNoLimit && value == 0.0f) || (value >= Low && value <= High);
    }
};

ValueRange RangeOf(SweepQuantity quantity, LengthUnit unit) {
    const std::string_view length = UnitLabel(unit);
    const auto range = [unit](EditedNumber number, std::string_view shown, bool noLimit = false) {
        const AcceptedRange accepted = AcceptedRangeOf(number, unit);
        return ValueRange{accepted.Low, accepted.High, shown, noLimit};
    };
    switch (quantity) {
        case SweepQuantity::Power:
            return range(EditedNumber::Power, "W");
        case SweepQuantity::IsothermalTemp:
            return range(EditedNumber::IsothermalTemp, "deg C");
        case SweepQuantity::DeviceWidth:
        case SweepQuantity::DeviceLength:
            return range(EditedNumber::Size, length);
        case SweepQuantity::Width:
        case SweepQuantity::Length:
            return range(EditedNumber::Size, length, true);
        case SweepQuantity::SpreadAngle:
            return range(EditedNumber::SpreadAngle, "deg");
        case SweepQuantity::Thickness:
        case SweepQuantity::Material:
            break;
    }
    return range(EditedNumber::Thickness, length);
}

std::string Quantity(float value, std::string_view unit) {
    return NumberText(value) + " " + std::string(unit);
}

// The ends are what the user typed, so they are named first; an inner point falls outside only
// where a sweep starts from 0, "no limit".
std::optional<float> FirstOutside(const ValueRange& range, const std::vector<float>& values) {
    for (const float end : {values.front(), values.back()}) {
        if (!range.Holds(end)) return end;
    }
    for (const float value : values) {
        if (!range.Holds(value)) return value;
    }
    return std::nullopt;
}

std::optional<std::string> OutOfRange(const SweepRequest& request, LengthUnit unit) {
    const auto value = FirstOutside(RangeOf(request.Quantity, unit), SweepValues(request));
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

std::string SweepQuantityText(SweepQuantity quantity, int layer) {
    const std::string prefix = "layer " + std::to_string(layer) + " ";
    switch (quantity) {
        case SweepQuantity::Power:
            return "power";
        case SweepQuantity::IsothermalTemp:
            return "isothermal temperature";
        case SweepQuantity::DeviceWidth:
            return "device width";
        case SweepQuantity::DeviceLength:
            return "device length";
        case SweepQuantity::Thickness:
            return prefix + "thickness";
        case SweepQuantity::Width:
            return prefix + "width";
        case SweepQuantity::Length:
            return prefix + "length";
        case SweepQuantity::SpreadAngle:
            return prefix + "spreading angle";
        case SweepQuantity::Material:
            break;
    }
    return prefix + "material";
}

SweepBounds SweepValueBounds(SweepQuantity quantity, LengthUnit unit) {
    const ValueRange range = RangeOf(quantity, unit);
    return {range.Low, range.High};
}

std::optional<std::string> OutsideAcceptedText(SweepQuantity quantity, int layer, float value,
                                               LengthUnit unit) {
    const ValueRange range = RangeOf(quantity, unit);
    if (range.Holds(value)) return std::nullopt;
    return SweepQuantityText(quantity, layer) + " " + Quantity(value, range.Unit) +
           " is outside the accepted " + NumberText(range.Low) + " to " +
           Quantity(range.High, range.Unit) +
           (range.ZeroMeansNoLimit ? " (or 0 for no limit)" : "");
}

std::optional<std::string> SweepRequestError(const SweepRequest& request) {
    if (IsLayerQuantity(request.Quantity) && request.Layer < 1) {
        return "there is no layer " + std::to_string(request.Layer) +
               ": layers are numbered from 1";
    }
    return request.Quantity == SweepQuantity::Material ? MaterialListError(request)
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
    return request.Quantity == SweepQuantity::Material ? MissingMaterial(table, request)
                                                       : OutOfRange(request, model.UnitSystem);
}

}  // namespace strativex
