#pragma once

#include <ostream>

#include "cli/calc_options.h"
#include "cli/loaded_model.h"
#include "core/material_table.h"
#include "core/sweep.h"

namespace strativex {

// Sweeps the loaded model and prints the points in the format asked for; the exit status: a
// usage error when the sweep does not fit the model, "no result" when a point has none.
int PrintSweep(const LoadedModel& model, const MaterialTable& table, const SweepRequest& request,
               OutputFormat format, std::ostream& out, std::ostream& err);

}  // namespace strativex
