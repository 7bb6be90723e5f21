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

// A starting point for the finest of three grids, each twice as fine as the last: the medium
// solution carried over and moved on by a quarter of what it moved from the coarse one, which
// is where the fine solution lies once the grids converge at second order. Nearer than the
// medium solution alone, it spares the fine grid's costliest conductivity iteration.
std::vector<double> ExtrapolatedGuess(const Grid& coarse, const Grid& medium, const Grid& fine,
                                      const std::vector<double>& coarseValues,
                                      const std::vector<double>& mediumValues);

}  // namespace strativex::exact
