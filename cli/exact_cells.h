#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/output_cell.h"
#include "exact/exact_result.h"

namespace strativex {

// The 3-D check's values carry their JSON names; their CSV columns add "exact_" in front.
std::string_view ExactStatusName(exact::ExactStatus status);

// The model's values: status, reason, temperatures, resistances, errors, the comparison with
// the estimate, the equivalent angle and the grid's size and work. Numbers read back to the
// same double.
std::vector<OutputCell> ExactModelCells(const exact::ExactResult& result);
// The base the check was computed with: kind ("isothermal", "heat_transfer" or
// "sink_resistance"), the value given, and with a heat sink both its heat transfer coefficient
// and its resistance.
std::vector<OutputCell> ExactBaseCells(const exact::ExactResult& result);
// Layer `index` (1 = under the heat source): its top temperature and that one's error.
std::vector<OutputCell> ExactLayerCells(const exact::ExactResult& result, int index);

}  // namespace strativex
