#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/calc_options.h"
#include "cli/transient_report.h"
#include "core/heat_capacity_table.h"
#include "core/material_loader.h"
#include "core/material_table.h"
#include "core/model.h"
#include "exact/transient_compute.h"

namespace strativex {

// The heat capacities; nothing, with every bad line named by its line and field on err, when
// the file is absent, unreadable or has a row that could not be read: a transient computed
// with a row left out would rest on a guess.
std::optional<HeatCapacityTable> LoadTransientHeat(const std::string& path, std::ostream& err);

// The thermal impedance of a loaded model (with the base the options give) and the networks
// fitted to its peak rise, with the options' number of stages.
exact::TransientReport TransientForReport(const Model& model, const MaterialTable& table,
                                          const HeatCapacityTable& heat,
                                          const std::string& heatPath, const CalcOptions& options);

// Whether the transient of the model at modelPath lacks a material's heat capacity, which the
// user must add: then the reason is on err as well.
bool TransientMissesHeat(const exact::TransientReport& report, const std::string& modelPath,
                         std::ostream& err);

// The Foster and Cauer subcircuits of the model (named after its file) to path, through the
// safe writer; false, with the reason on err, when the file cannot be written. A model without
// networks leaves the file alone, with a note on err: its missing result fails the run already.
bool WriteTransientSpice(const std::string& path, const exact::TransientReport& report,
                         const std::string& modelPath, std::ostream& err);

}  // namespace strativex
