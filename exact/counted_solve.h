#pragma once

#include <Eigen/SparseCore>
#include <vector>

#include "exact/conduction_solve.h"
#include "exact/line_multigrid.h"
#include "exact/linear_system.h"

namespace strativex::exact {

// What one linear solve at fixed conductivities came to, and the preconditioner applications
// it took.
struct LinearStep {
    SolveStatus Status = SolveStatus::Converged;
    int Iterations = 0;
};

// Runs `solver`'s conjugate gradients on `system` from `rise` and into it. The steps are the
// preconditioner's applications: Eigen counts a solve that converges within its first step as
// none, which would tell the user nothing was solved.
template <typename Solver>
LinearStep SolveCounted(Solver& solver, const LinearSystem& system, const std::vector<double>& heat,
                        std::vector<double>& rise) {
    solver.compute(system.Matrix);
    const int applied = solver.preconditioner().Applications();
    Eigen::VectorXd solution;
    try {
        solution = solver.solveWithGuess(Gather(system, heat), Gather(system, rise));
    } catch (const SolveCancelled&) {
        return {SolveStatus::Cancelled, solver.preconditioner().Applications() - applied};
    }
    const int iterations = solver.preconditioner().Applications() - applied;
    if (solver.info() != Eigen::Success || !solution.allFinite()) {
        return {SolveStatus::NotConverged, iterations};
    }
    Scatter(system, solution, rise);
    return {SolveStatus::Converged, iterations};
}

}  // namespace strativex::exact
