#pragma once

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/SparseCore>
#include <atomic>
#include <vector>

#include "exact/conductances.h"
#include "exact/conduction_solve.h"
#include "exact/counted_solve.h"
#include "exact/exact_options.h"
#include "exact/grid.h"
#include "exact/linear_system.h"
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
    using Solver = Eigen::ConjugateGradient<Eigen::SparseMatrix<double>,
                                            Eigen::Lower | Eigen::Upper, SeparablePreconditioner>;

    // Numbers the unknowns; on a separable grid they are all its cells in grid order.
    LinearSystem system_;
    Conductances conductances_;
    Solver solver_;
};

}  // namespace strativex::exact
