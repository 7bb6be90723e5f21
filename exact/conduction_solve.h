#pragma once

#include <atomic>
#include <functional>
#include <vector>

#include "exact/exact_options.h"
#include "exact/grid.h"
#include "exact/stack.h"

namespace strativex::exact {

enum class SolveStatus { Converged, Cancelled, NotConverged };

// The steady temperature rise above the base on one grid, with K(T) taken at every cell's own
// temperature.
struct GridSolution {
    SolveStatus Status = SolveStatus::NotConverged;
    std::vector<double> RiseK;         // per cell; 0 outside the body
    std::vector<double> Conductivity;  // per cell at the final temperatures; 0 outside
    int SolverIterations = 0;
    int ConductivityIterations = 0;
    // Whether the direct solve of the grid filled row by row stalled or crept and the
    // multigrid took over: on a finer grid of the same stack it would fare no better.
    bool FilledGridTooSlow = false;
};

struct SolveHooks {
    const std::atomic<bool>* Cancel = nullptr;
    // Called after each conductivity iteration with the largest temperature change, kelvin.
    std::function<void(int iteration, double change)> Iteration;
    // False where a coarser grid of the same stack found the filled grid's solve too slow.
    bool TryFilledGrid = true;
};

// Picard iterations on K(T) from `initialRise` (empty: from the base temperature), each a
// linear solve by conjugate gradients preconditioned with the direct solve through the
// lateral modes where it serves, with LineMultigrid elsewhere, until no temperature moves by
// more than the tolerance.
GridSolution SolveConduction(const Grid& grid, const Stack& stack, const ExactOptions& options,
                             std::vector<double> initialRise, const SolveHooks& hooks);

// Per cell conductivity at base + rise; 0 outside the body.
std::vector<double> CellConductivity(const Grid& grid, const Stack& stack,
                                     const std::vector<double>& riseK);

}  // namespace strativex::exact
