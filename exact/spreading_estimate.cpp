#include "exact/spreading_estimate.h"

#include "core/thermal_calc.h"
#include "exact/stack.h"

namespace strativex::exact {
namespace {

constexpr float kLowestAngle = 0.0f;
constexpr float kHighestAngle = 89.0f;
constexpr float kAngleResolution = 1e-5f;

Model Calculated(Model model, const MaterialTable& table) {
    RecalculateModel(model, table);
    return model;
}

std::optional<double> SourceTempWithAngle(const Model& model, const MaterialTable& table,
                                          float angle) {
    Model copy = model;
    for (int i = 1; i <= copy.LayerCount; ++i) copy.Layers[i].SpreadAngle = angle;
    return HeatSourceTempC(Calculated(std::move(copy), table));
}

}  // namespace

SpreadingEstimate EstimateOf(const Model& model, const MaterialTable& table) {
    const Model calculated = Calculated(model, table);
    const auto resistance = TotalResistance(calculated);
    SpreadingEstimate estimate{HeatSourceTempC(calculated),
                               resistance ? std::optional<double>(*resistance) : std::nullopt,
                               {}};
    if (!resistance) return estimate;
    for (int i = 1; i <= calculated.LayerCount; ++i) {
        estimate.LayerTopTempC.push_back(static_cast<double>(calculated.Layers[i].TopTemp) -
                                         kKelvinOffset);
    }
    return estimate;
}

std::optional<double> EquivalentAngle(const Model& model, const MaterialTable& table,
                                      double sourceTempC) {
    // A wider angle spreads the heat over more area, so the source temperature falls with it.
    const auto narrowest = SourceTempWithAngle(model, table, kLowestAngle);
    const auto widest = SourceTempWithAngle(model, table, kHighestAngle);
    if (!narrowest || !widest || sourceTempC > *narrowest || sourceTempC < *widest) {
        return std::nullopt;
    }
    float low = kLowestAngle;
    float high = kHighestAngle;
    while (high - low > kAngleResolution) {
        const float middle = 0.5f * (low + high);
        const auto temperature = SourceTempWithAngle(model, table, middle);
        if (!temperature) return std::nullopt;
        (*temperature > sourceTempC ? low : high) = middle;
    }
    return 0.5 * (static_cast<double>(low) + high);
}

}  // namespace strativex::exact
