#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "cli/calc_options.h"
#include "cli/loaded_model.h"
#include "core/material_table.h"

namespace strativex {

// Writes the report of a loaded model; false, with the reason on err, when it cannot.
using ReportWriter =
    std::function<bool(const LoadedModel& model, const MaterialTable& table, std::ostream& err)>;

// Loads the materials and every model, prints the results to out and the problems to err, and
// returns the exit status. With a report requested, writeReport writes it for the one model.
int RunCalculator(const CalcOptions& options, const std::string& defaultMaterialsFolder,
                  std::ostream& out, std::ostream& err, const ReportWriter& writeReport = {});

}  // namespace strativex
