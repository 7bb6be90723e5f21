#pragma once

#include <array>
#include <string_view>

#include "core/model.h"

namespace strativex {

inline constexpr std::array<std::string_view, 3> UnitLabels{"mm", "in.", ""};
// What a layer size of 0 (no limit of its own) shows.
inline constexpr std::string_view kNoLimitText = "(infinite)";

int UnitIndex(LengthUnit unit);
std::string_view UnitLabel(LengthUnit unit);

// Multiplies the lengths of the heat source and every layer in use by the factor from the old
// unit to the model's current one; zero (no limit) stays zero.
void ConvertModelUnits(Model& model);

// Data half of the unit command: false, changing nothing, when the unit is already current.
bool SelectUnit(Model& model, LengthUnit unit);

}  // namespace strativex
