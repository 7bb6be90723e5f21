#pragma once

#include <atomic>
#include <vector>

#include "exact/conductances.h"
#include "exact/exact_options.h"
#include "exact/grid.h"
#include "exact/grid_solve.h"
#include "exact/separable_preconditioner.h"

namespace strativex::exact {

// The linear solves of one separable grid's conductivity iterations: conjugate gradients
// preconditioned by the direct solve for each row's mean conductivity. With constant
// conductivities that solve is exact and the first iteration meets the tolerance; with K(T)
// the rows' cells differ most near the source, a few cells against the whole grid, which
// conjugate gradients take up in a handful of iterations.
class SeparableSolves {
public:
    SeparableSolves(const ExactOptions& options, const std::atomic<bool>* cancel);

    // One linear solve at fixed conductivities on a grid where IsSeparable holds, from `rise`
    // and into it.
    LinearStep Solve(const Grid& grid, const std::vector<double>& conductivity,
                     const std::vector<double>& heat, double tolerance, std::vector<double>& rise);

private:
    Conductances conductances_;
    SeparablePreconditioner preconditioner_;
    GridSolveWorkspace workspace_;
    bool built_ = false;
    int maxIterations_;
};

}  // namespace strativex::exact
