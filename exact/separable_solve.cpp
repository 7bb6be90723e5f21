#include "exact/separable_solve.h"

namespace strativex::exact {

SeparableSolves::SeparableSolves(const ExactOptions& options, const std::atomic<bool>* cancel)
    : maxIterations_(options.MaxSolverIterations) {
    preconditioner_.SetCancelFlag(cancel);
}

LinearStep SeparableSolves::Solve(const Grid& grid, const std::vector<double>& conductivity,
                                  const std::vector<double>& heat, double tolerance,
                                  std::vector<double>& rise) {
    AssembleConductances(grid, conductivity, conductances_);
    if (!built_) {
        preconditioner_.Build(grid);
        built_ = true;
    }
    // K(T) moves the rows' means, which the factorisation follows at the cost of one pass
    // over the modes: far less than the iterations a stale one would add.
    preconditioner_.SetConductivity(grid, conductivity);
    return SolveOnGrid(conductances_, preconditioner_, heat, tolerance, maxIterations_, rise,
                       workspace_);
}

}  // namespace strativex::exact
