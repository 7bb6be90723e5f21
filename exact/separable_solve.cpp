#include "exact/separable_solve.h"

#include "exact/line_multigrid.h"

namespace strativex::exact {

SeparableSolves::SeparableSolves(const ExactOptions& options, const std::atomic<bool>* cancel) {
    solver_.preconditioner().SetCancelFlag(cancel);
    solver_.setMaxIterations(options.MaxSolverIterations);
}

SeparableStep SeparableSolves::Solve(const Grid& grid, const std::vector<double>& conductivity,
                                     const std::vector<double>& heat, double tolerance,
                                     std::vector<double>& rise) {
    AssembleConductances(grid, conductivity, conductances_);
    if (system_.Cells.empty()) {
        system_ = AssembleSystem(conductances_);
        solver_.preconditioner().Build(grid);
    } else {
        RefreshSystem(conductances_, system_);
    }
    // K(T) moves the rows' means, which the factorisation follows at the cost of one pass
    // over the modes: far less than the iterations a stale one would add.
    solver_.preconditioner().SetConductivity(grid, conductivity);
    solver_.setTolerance(tolerance);
    solver_.compute(system_.Matrix);
    const int applied = solver_.preconditioner().Applications();
    Eigen::VectorXd solution;
    try {
        solution = solver_.solveWithGuess(Gather(system_, heat), Gather(system_, rise));
    } catch (const SolveCancelled&) {
        return {SolveStatus::Cancelled, solver_.preconditioner().Applications() - applied};
    }
    // A direct solve converges in the step Eigen counts as none; a count of 0 would tell the
    // user that nothing was solved.
    const int iterations = solver_.preconditioner().Applications() - applied;
    if (solver_.info() != Eigen::Success || !solution.allFinite()) {
        return {SolveStatus::NotConverged, iterations};
    }
    Scatter(system_, solution, rise);
    return {SolveStatus::Converged, iterations};
}

}  // namespace strativex::exact
