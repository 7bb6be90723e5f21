#pragma once

#include <string>

#include "cli/loaded_model.h"
#include "cli/sweep_cells.h"
#include "core/material_table.h"
#include "core/sweep.h"

namespace strativex {

// The sweep of one model: a heading and one table row per point, numbers with the default
// digits; a point without a result says why instead.
std::string SweepTableReport(const LoadedModel& model, const SweepResult& sweep,
                             const MaterialTable& table);
// One object: the model and the sweep, then one object per point under the column names.
std::string SweepJsonReport(const LoadedModel& model, const SweepResult& sweep,
                            const MaterialTable& table);
// A header line and one line per point, CR LF line ends.
std::string SweepCsvReport(const SweepResult& sweep, const MaterialTable& table);
// The same for rows of cells that may carry more columns: the header from the first row.
std::string SweepCsvLines(const std::vector<std::vector<OutputCell>>& rows);

}  // namespace strativex
