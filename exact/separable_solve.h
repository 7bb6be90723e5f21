#pragma once

#include <atomic>
#include <vector>

#include "exact/conductances.h"
#include "exact/grid.h"
#include "exact/grid_solve.h"
#include "exact/separable_preconditioner.h"

namespace strativex::exact {

// The linear solves of one grid's conductivity iterations, conjugate gradients preconditioned
// by the direct solve for each row's mean conductivity. On a separable grid with constant
// conductivities that solve is exact and the first iteration meets the tolerance; with K(T)
// the rows' cells differ most near the source, a few cells against the whole grid, which
// conjugate gradients take up in a handful of iterations. On other grids it solves for the
// grid filled with each row's material, which is near enough where the layers narrow little.
class SeparableSolves {
public:
    explicit SeparableSolves(const std::atomic<bool>* cancel);

    // One linear solve on the conductances `g` of the cells' `conductivity`, from `rise` and
    // into it, of at most `maxIterations` preconditioner applications.
    LinearStep Solve(const Grid& grid, const Conductances& g,
                     const std::vector<double>& conductivity, const std::vector<double>& heat,
                     double tolerance, int maxIterations, std::vector<double>& rise);

    // The solve's cores, for the work around it.
    CorePair& Cores() const { return preconditioner_.Cores(); }

private:
    SeparablePreconditioner preconditioner_;
    GridSolveWorkspace workspace_;
    bool built_ = false;
};

}  // namespace strativex::exact
