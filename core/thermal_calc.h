#pragma once

#include <optional>

#include "core/material_table.h"
#include "core/model.h"

namespace strativex {

// Passes of the temperature iteration after which a layer is given up as not converging.
constexpr int kMaxIterationPasses = 10000;
// Conductivity of a layer without material: it adds practically no resistance.
constexpr float kNoMaterialConductivity = 9e15f;

void ComputeSpreadAreas(Model& model);
float LayerConductivity(const Model& model, const MaterialTable& table, int layerIndex,
                        float temperatureK);
// Fills Area, Resistance, TopTemp and Status of every layer. A layer without a result, and
// every layer that depends on it, keeps no resistance or temperature (NaN) and says why in
// Status. A layer's iteration gives up after maxPasses passes.
void RecalculateModel(Model& model, const MaterialTable& table,
                      int maxPasses = kMaxIterationPasses);

// For readers that must not take an estimate for a result: a layer without material, which
// the calculation lets conduct almost perfectly, has no result, nor has any layer above it.
void MarkLayersWithoutMaterial(Model& model);

bool HasResult(const Layer& layer);
// The first layer without a result, from the top; nothing when every layer has one.
std::optional<int> FirstLayerWithoutResult(const Model& model);
// The stack's resistance as the results table adds it up; nothing when a layer has no result.
std::optional<float> TotalResistance(const Model& model);
// Degrees C of the heat source; nothing without layers or without a result.
std::optional<double> HeatSourceTempC(const Model& model);

// The impossible input of the last recalculation and its layer (0 for an input of the whole
// model); nothing when every input could be computed with.
struct InvalidInputAt {
    int Layer = 0;
    InputField Field = InputField::None;
};
std::optional<InvalidInputAt> FirstInvalidInput(const Model& model);

}  // namespace strativex
