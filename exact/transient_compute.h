#pragma once

#include <optional>
#include <string>

#include "core/heat_capacity_table.h"
#include "core/material_loader.h"
#include "core/material_table.h"
#include "core/model.h"
#include "exact/base_condition.h"
#include "exact/exact_check.h"
#include "exact/transient_report.h"

// The transient as the calculator and the Transient window both compute it: no Qt, no output.
namespace strativex::exact {

// The heat capacity file of the materials in use: beside the custom materials, where the
// window's editor writes it, unless only the standard file's folder holds one.
std::string TransientHeatPath(const MaterialPaths& paths);

// The thermal impedance of a model (with the given base) and the networks fitted to its peak
// rise, with the given number of stages or the fewest that fit. The model and the table are
// read only; a caller on another thread passes copies.
TransientReport ComputeTransient(const Model& model, const MaterialTable& table,
                                 const HeatCapacityTable& heat, const std::string& heatPath,
                                 const BaseCondition& base, std::optional<int> stages,
                                 const CheckHooks& hooks = {});

}  // namespace strativex::exact
