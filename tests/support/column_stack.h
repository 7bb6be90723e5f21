#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

#include "support/exact_stacks.h"
#include "support/file_bytes.h"
#include "support/material_folders.h"

// A 10 x 10 mm column heated over its whole top: the heat flows straight down through 1 mm of
// the high and 0.5 mm of the low conductivity, and settles within about a second.
namespace column_stack {

// K = A * T^B of the custom materials, W/cm-K: 903 falls so fast that a high power never
// settles; 904 has no heat capacity.
inline constexpr double kHighK = 1.5;
inline constexpr double kLowK = 0.58;
inline constexpr const char* kMatcust =
    "901,\"Const high\",1.5,0\r\n902,\"Const low\",.58,0\r\n903,\"Diverging\",1000000,-3\r\n"
    "904,\"No heat\",1,0\r\n";
inline constexpr std::int16_t kHigh = 901, kLow = 902, kDiverging = 903, kNoHeat = 904;
inline constexpr const char* kMatheat =
    "id,name,density_kg_m3,specific_heat_j_per_kg_k,source\n"
    "901,Const high,2330,712,test\n902,Const low,8960,385,test\n";

inline constexpr float kPower = 20.0f;
// One-dimensional: the two slabs' resistances in series over the 1 cm2 top, K/W.
inline constexpr double kSteadyZth = 0.1 / kHighK + 0.05 / kLowK;

inline strativex::Model Column(std::int16_t bottomMaterial = kLow) {
    return exact_stacks::StackModel(10, 10, {{1.0f, 10, 10, kHigh}, {0.5f, 10, 10, bottomMaterial}},
                                    kPower);
}

// The standard and custom materials with the heat capacities; a bad one gives 904 a negative
// specific heat.
inline bool PlantColumnMaterials(const QString& folder, bool badHeat = false) {
    const QByteArray heat = QByteArray(kMatheat) + (badHeat ? "904,No heat,7800,-460,test\n" : "");
    return PlantMaterials(folder, kMatcust) && WriteBytes(folder + "/matheat.csv", heat);
}

}  // namespace column_stack
