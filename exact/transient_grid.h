#pragma once

#include <vector>

#include "exact/grid.h"
#include "exact/stack.h"
#include "exact/transient_options.h"

namespace strativex::exact {

// The steady check's grid with the cells through the thickness made small at the heated face:
// at the start time the heat has reached only sqrt(alpha * t) into layer 1 (about 10 um of
// silicon at 1 us), and that depth must span several cells for the earliest rises to be
// right. Deeper down the cells grow as the heat's reach does, back to the steady grid's sizes
// at every interface. `heatCapacity` is each layer's rho * c, J/cm3-K.
Grid TransientGrid(const Stack& stack, const std::vector<double>& heatCapacity,
                   const TransientOptions& options);

}  // namespace strativex::exact
