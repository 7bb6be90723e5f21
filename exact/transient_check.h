#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "core/material_table.h"
#include "core/model.h"
#include "exact/exact_check.h"
#include "exact/stack.h"
#include "exact/transient_options.h"
#include "exact/transient_result.h"

namespace strativex::exact {

// A material's volumetric heat capacity rho * c, J/m3-K; nothing where the heat capacity file
// holds none for it.
using HeatCapacityLookup = std::function<std::optional<double>(int materialId)>;

// The thermal impedance of the model's stack: the steady 3-D check's stack, source, base and
// boundaries, with heat capacity, under the model's power switched on at t = 0 with everything
// at the base temperature.
//
// K(T): the conductivity of every cell is the one of the steady solution at the model's power,
// held through time. The problem is then linear, so that the curve ends exactly at the steady
// solution (of the same grid) and responses to power pulses follow from it by superposition;
// at earlier times the parts still cold conduct as they would when hot, a deviation that
// vanishes for B = 0 and is small where the rise is small against the base temperature.
//
// Method: finite volumes on the 3-D check's grid (coarser: see TransientOptions), refined at
// the heated face through the thickness and sideways at the source's edge (TransientGrid),
// integrated in time by variable-step BDF2 (StepThrough) with about 13 steps per decade, on
// that grid and on the grid twice as coarse side by side; every point of the curve is
// extrapolated from the two (Richardson), and ErrorPercent gives the largest correction that
// took. Against the series solutions in the tests the curve stays within 0.8 % from 10 us on
// (0.4 % for the slab), its steady end within 0.5 % of the steady check.
//
// Not available when the model fails the steady check's input check, or when a layer's
// material has no usable heat capacity (the message names the layer, the material and the
// file to add it to).
TransientResult RunTransient(const Model& model, const MaterialTable& table,
                             const HeatCapacityLookup& heatCapacity,
                             const TransientOptions& options = {}, const CheckHooks& hooks = {});

// The same for a stack with each layer's rho * c, J/m3-K, given directly.
TransientResult SolveTransient(const Stack& stack, const std::vector<double>& heatCapacity,
                               const TransientOptions& options = {}, const CheckHooks& hooks = {});

}  // namespace strativex::exact
