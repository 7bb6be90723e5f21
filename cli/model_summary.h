#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/material_table.h"
#include "core/model.h"

namespace strativex {

std::string_view StatusName(ResultStatus status);
// Why the model lacks results: the status of the layer that failed, not of those above it.
ResultStatus ModelStatus(const Model& model);

std::string_view UnitName(LengthUnit unit);

// The name of the layer's material in UTF-8; nothing for a layer without material.
std::optional<std::string> MaterialName(const MaterialTable& table, const Layer& layer);

// A layer's results; nothing for a layer without a result.
std::optional<float> ResistanceOf(const Layer& layer);
std::optional<float> TopTempKOf(const Layer& layer);
std::optional<double> TopTempCOf(const Layer& layer);
// The same temperatures as text that identifies the stored kelvin value (see CelsiusText).
std::optional<std::string> TopTempCText(const Layer& layer);
std::optional<std::string> HeatSourceTempCText(const Model& model);

// The impossible input's field name and layer (0 for the whole model); nothing when none.
std::optional<std::string> InvalidInputName(const Model& model);
std::optional<int> InvalidInputLayer(const Model& model);

}  // namespace strativex
