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
// The sources the check heated: counts along the width and the length and their pitches in
// the model's unit (nothing for a single source).
std::vector<OutputCell> ExactArrayCells(const exact::ExactResult& result);
// The hottest source: its centre, average and peak, and its coupling (nothing for a single
// source, which has no neighbours).
std::vector<OutputCell> ExactHottestCells(const exact::ExactResult& result);
// Every source's centre, average and peak; a single source is the one at the centre. Empty
// where the check has no result.
std::vector<std::vector<OutputCell>> ExactSourceCells(const exact::ExactResult& result);
// Layer `index` (1 = under the heat source): its top temperature and that one's error.
std::vector<OutputCell> ExactLayerCells(const exact::ExactResult& result, int index);

}  // namespace strativex
