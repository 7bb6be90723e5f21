#pragma once

#include "exact/exact_options.h"

namespace strativex::exact {

// The steady check's options with a lower cell limit: the curve takes some hundred solves
// where the check takes a few.
inline ExactOptions TransientGridOptions() {
    ExactOptions options;
    options.MaxCells = 40000;
    return options;
}

struct TransientOptions {
    // The grid, the conductivity iteration and the linear solver of the steady solution; the
    // two grids' extrapolation keeps the curve's steady end on the check's.
    ExactOptions Steady = TransientGridOptions();
    // The first time of the curve, s: the cells at the heated face are made small enough that
    // the heat has crossed two of them by then.
    double StartTime = 1e-6;
    // The curve ends once both rises are within this share of their steady values.
    double SettledShare = 1e-3;
    // Time steps are constant over a run of this many and then doubled, so the curve has
    // about 3.3 times as many points per decade (4: 13.3, no gap wider than a tenth of one;
    // 3 would leave gaps of an eighth).
    int StepsPerDoubling = 4;
    // Conjugate gradients stop at this residual relative to the right-hand side of a step:
    // each step starts from the best combination of the last few, and the curve moves by about
    // 1e-4 of itself from 1e-5, far below the steps' and the grid's errors.
    double SolverTolerance = 1e-4;
};

}  // namespace strativex::exact
