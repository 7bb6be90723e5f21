#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/heat_capacity_table.h"

// Materials/matheat.csv: UTF-8, one row per material id under the header below. The file sits
// beside matprops.dat and matcust.dat, which keep their own formats untouched.
namespace strativex {

inline constexpr const char* kHeatCapacityFileName = "matheat.csv";
inline constexpr std::string_view kHeatCapacityHeader =
    "id,name,density_kg_m3,specific_heat_j_per_kg_k,source";

std::string HeatCapacityPathIn(const std::string& materialsFolder);

// Every good row; each bad one is named and left out, and the rest still loads. A repeated id
// keeps its first row.
HeatCapacityTable ParseHeatCapacities(std::string_view content);

// The same from a file, read through the bounded reader.
HeatCapacityTable LoadHeatCapacities(const std::string& path);

// One line (without its end) for the row, numbers in their shortest exact text.
std::string HeatCapacityLine(const HeatCapacity& row);

// The file's text with the rows of the given ids put in place of those the loader takes, the
// taken rows of removedIds dropped and new ids appended. Every other line, unreadable ones and
// repeated ids included, is kept byte for byte so that an edit never loses what the editor
// does not show.
std::string MergeHeatCapacities(std::string_view original, const std::vector<HeatCapacity>& rows,
                                const std::vector<int>& removedIds);

}  // namespace strativex
