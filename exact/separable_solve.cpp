#include "exact/separable_solve.h"

namespace strativex::exact {

SeparableSolves::SeparableSolves(const std::atomic<bool>* cancel) {
    preconditioner_.SetCancelFlag(cancel);
}

LinearStep SeparableSolves::Solve(const Grid& grid, const Conductances& g,
                                  const std::vector<double>& conductivity,
                                  const std::vector<double>& heat, double tolerance,
                                  int maxIterations, std::vector<double>& rise) {
    if (!built_) {
        preconditioner_.Build(grid);
        built_ = true;
    }
    // K(T) moves the rows' means, which the factorisation follows at the cost of one pass
    // over the modes: far less than the iterations a stale one would add.
    preconditioner_.SetConductivity(grid, conductivity);
    return SolveOnGrid(g, preconditioner_, heat, tolerance, maxIterations, rise, workspace_);
}

}  // namespace strativex::exact
