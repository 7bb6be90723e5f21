#pragma once

#include <vector>

#include "exact/grid.h"
#include "exact/stack.h"
#include "exact/transient_options.h"

namespace strativex::exact {

// The steady check's grid with the cells through layer 1 made small at the heated face: at
// the start time the heat has reached only sqrt(alpha * t) into it (about 10 um of silicon at
// 1 us), and that depth spans two cells (one of the coarse grid; the extrapolation corrects
// the difference). Away from the face the cells grow as the heat's reach does, back to the
// steady grid's size at the first interface. Where the source is smaller than layer 1, the
// lateral cells at its edge are made small the same way. `heatCapacity` is each layer's
// rho * c, J/cm3-K.
Grid TransientGrid(const Stack& stack, const std::vector<double>& heatCapacity,
                   const TransientOptions& options);

}  // namespace strativex::exact
