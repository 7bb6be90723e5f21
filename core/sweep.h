#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/material_table.h"
#include "core/model.h"
#include "core/quantity.h"

// A sweep: the model recalculated with one of its values stepped through a range, the model
// itself untouched. The window and the calculator both run it through RunSweep.
namespace strativex {

enum class SweepSpacing : std::uint8_t { Linear, Logarithmic };

// Enough for a smooth curve over any range; a bound, so that a mistyped count cannot take the
// memory and the time of the machine.
constexpr int kMaxSweepPoints = 10000;

struct SweepRequest {
    QuantityId Quantity = QuantityId::Power;
    int Layer = 0;  // 1..LayerCount for a layer's quantity, unused otherwise
    // A numeric sweep: PointCount values from From to To, both included, in the model's units.
    double From = 0.0;
    double To = 0.0;
    int PointCount = 0;
    SweepSpacing Spacing = SweepSpacing::Linear;
    // A material sweep: one point per id, in this order.
    std::vector<std::int16_t> MaterialIds;
};

// One layer's outcome at one point.
struct SweepLayerResult {
    float TopTempK = 0.0f;  // NaN without a result
    ResultStatus Status = ResultStatus::Ok;

    std::optional<double> TopTempC() const {
        if (Status != ResultStatus::Ok) return std::nullopt;
        return static_cast<double>(TopTempK) - kKelvinOffset;
    }
};

struct SweepPoint {
    // The swept value as the model stored it (a material sweep: the material id).
    float Value = 0.0f;
    std::optional<double> HeatSourceTempC;
    std::optional<float> TotalResistance;
    // Why the point has no result: the failed layer and its own status; 0 and Ok with a result.
    int FailedLayer = 0;
    ResultStatus Cause = ResultStatus::Ok;
    std::array<SweepLayerResult, kMaxLayerCount> Layers{};  // layers 1..LayerCount

    bool HasResult() const { return FailedLayer == 0 && HeatSourceTempC.has_value(); }
};

struct SweepResult {
    SweepRequest Request;
    LengthUnit Unit = LengthUnit::Millimeters;
    int LayerCount = 0;
    // The model's own value of the swept quantity, to be marked among the points.
    float ModelValue = 0.0f;
    std::vector<SweepPoint> Points;
};

// The values of the points in order, as single-precision numbers the model can hold. Linear
// points are evenly spaced, logarithmic ones at a constant ratio; both end exactly on To.
std::vector<float> SweepValues(const SweepRequest& request);

// Every point calculated on a copy of the model; nothing when the request does not fit the
// model (SweepModelError says why).
std::optional<SweepResult> RunSweep(const Model& model, const MaterialTable& table,
                                    const SweepRequest& request);

}  // namespace strativex
