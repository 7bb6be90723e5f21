#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "core/model.h"

namespace strativex {

inline constexpr std::array<std::string_view, 3> UnitLabels{"mm", "in.", ""};
// Degrees to radians as the spreading footprint and its drawing both take them: to 14 places,
// the value the results have always been computed with.
inline constexpr double kDegreesToRadians = 0.01745329251994;
// Lengths: inches and millimetres, and the centimetres the conductivities are given per.
inline constexpr double kMillimetresPerInch = 25.4;
inline constexpr double kCmPerInch = 2.54;
inline constexpr double kCmPerMillimetre = 0.1;
// What a layer size of 0 (no limit of its own) shows.
inline constexpr std::string_view kNoLimitText = "(infinite)";

// What a quantity is measured in; a length follows the model's unit system.
enum class UnitFamily : std::uint8_t { Power, Temperature, Length, Angle, MaterialId };

// The unit as messages and plain-text tables write it: "W", "deg C", "mm", "deg".
std::string_view UnitText(UnitFamily family, LengthUnit unit);
// The unit at the end of a CSV/JSON column name: "w", "c", "mm", "in", "deg", "id".
std::string_view UnitColumnText(UnitFamily family, LengthUnit unit);

int UnitIndex(LengthUnit unit);
std::string_view UnitLabel(LengthUnit unit);

// Multiplies the lengths of the heat source and every layer in use by the factor from the old
// unit to the model's current one; zero (no limit) stays zero.
void ConvertModelUnits(Model& model);

// Data half of the unit command: false, changing nothing, when the unit is already current.
bool SelectUnit(Model& model, LengthUnit unit);

}  // namespace strativex
