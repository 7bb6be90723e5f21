#include "exact/separable_solve.h"

#include "exact/line_multigrid.h"

namespace strativex::exact {

SeparableSolves::SeparableSolves(const ExactOptions& options, const std::atomic<bool>* cancel) {
    solver_.preconditioner().SetCancelFlag(cancel);
    solver_.setMaxIterations(options.MaxSolverIterations);
}

LinearStep SeparableSolves::Solve(const Grid& grid, const std::vector<double>& conductivity,
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
    return SolveCounted(solver_, system_, heat, rise);
}

}  // namespace strativex::exact
