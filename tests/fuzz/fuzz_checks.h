#pragma once

#include <cmath>

#include "core/thermal_calc.h"

// Properties the fuzz targets share. A broken one ends the run with a trap, which libFuzzer and
// the corpus replay both report.
namespace strativex::fuzz {

// Passes enough for every settling material; the fuzzer spends its time on inputs, not loops.
inline constexpr int kFuzzPasses = 200;

inline void Require(bool property) {
    if (!property) __builtin_trap();
}

// A stack of up to ten layers, one per loaded material from index first on, calculated: a
// layer with a result has finite, non-negative numbers; one without has none.
inline void CalculateWithMaterials(const MaterialTable& table, int first) {
    Model model;
    ResetToNewModel(model, ModelDefaults{});
    model.UnitSystem = LengthUnit::Millimeters;
    model.PowerDissipation = 10.0f;
    for (int i = first; i <= table.LastLoadedIndex() && model.LayerCount < kMaxLayerCount; ++i) {
        Layer& layer = model.Layers[++model.LayerCount];
        layer.MaterialId = table.Materials[i].Id;
        layer.Thickness = 1.0f;
        layer.SpreadAngle = 45.0f;
    }
    RecalculateModel(model, table, kFuzzPasses);
    for (int i = 1; i <= model.LayerCount; ++i) {
        const Layer& layer = model.Layers[i];
        if (HasResult(layer)) {
            Require(std::isfinite(layer.Resistance) && layer.Resistance >= 0.0f);
            Require(std::isfinite(layer.TopTemp) && layer.TopTemp > 0.0f);
        } else {
            Require(std::isnan(layer.Resistance) && std::isnan(layer.TopTemp));
        }
        Require((layer.Status == ResultStatus::InvalidInput) ==
                (layer.InvalidField != InputField::None));
    }
}

// Two 32-bit values the files' seven significant digits cannot tell apart.
inline bool SameInFile(float a, float b) {
    if (a == b || (std::isnan(a) && std::isnan(b))) return true;
    return std::fabs(static_cast<double>(a) - b) <= 1e-6 * std::fabs(static_cast<double>(a));
}

}  // namespace strativex::fuzz
