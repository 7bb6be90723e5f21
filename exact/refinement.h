#pragma once

#include <vector>

#include "exact/grid.h"

namespace strativex::exact {

// A solution on `coarse` carried over to `fine`, the grid with twice the cells along every
// axis (every fine cell lies in one coarse cell): linear between the centres of neighbouring
// cells inside the body, constant where the neighbour lies outside it. A starting point for
// the fine grid's iterations.
std::vector<double> Refined(const Grid& coarse, const Grid& fine,
                            const std::vector<double>& coarseValues);

}  // namespace strativex::exact
