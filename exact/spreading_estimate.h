#pragma once

#include <optional>
#include <vector>

#include "core/material_table.h"
#include "core/model.h"

namespace strativex::exact {

// The spreading-angle calculation of the model as it stands, on a copy.
struct SpreadingEstimate {
    std::optional<double> SourceTempC;
    std::optional<double> Resistance;   // C/W
    std::vector<double> LayerTopTempC;  // from layer 1 down; empty without a result
};

SpreadingEstimate EstimateOf(const Model& model, const MaterialTable& table);

// The one spreading angle which, given to every layer, makes the spreading-angle calculation
// reach `sourceTempC`; found by bisection over 0..89 degrees. Nothing when no angle does.
std::optional<double> EquivalentAngle(const Model& model, const MaterialTable& table,
                                      double sourceTempC);

}  // namespace strativex::exact
