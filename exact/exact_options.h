#pragma once

#include <cstddef>

#include "exact/base_condition.h"
#include "exact/source_array.h"

namespace strativex::exact {

struct ExactOptions {
    // How the bottom face meets the ambient; part of the problem, not of its numerics, but
    // carried here so that every caller of the check passes it the same way.
    BaseCondition Base;
    // The heat sources, in the same way: one device unless an array is given.
    SourceArray Sources;
    // Divides the cell sizes: 2 halves them wherever the least cells per segment and per layer
    // do not already set the count.
    double Fineness = 1.0;
    // Cells through every layer of the fine grid, however thin; the coarse grid has half.
    int MinCellsPerLayer = 4;
    // The fine grid is made coarser until it has no more cells than this.
    std::size_t MaxCells = 400000;
    // Where the least cells per segment and per layer keep it larger still, the check is not
    // attempted when it would take more memory than this, bytes.
    std::size_t MaxMemoryBytes = std::size_t{1} << 30;
    // Cutting the layers without a lateral limit may change the solution by this share at most.
    double TruncationTolerance = 1e-4;
    // The conductivity iteration stops when no temperature moves by more than this, kelvin:
    // far below the grids' error, which is tenths of a kelvin where the rise is tens.
    double TemperatureTolerance = 1e-3;
    int MaxConductivityIterations = 60;
    // Conjugate gradients stop at this residual relative to the heat input; it leaves
    // temperatures some thousand times closer to the grid's solution than the grids' error
    // bar, and every tighter decade costs about three more multigrid cycles.
    double SolverTolerance = 1e-5;
    int MaxSolverIterations = 2000;
};

}  // namespace strativex::exact
