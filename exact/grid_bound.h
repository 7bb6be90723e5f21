#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "exact/exact_options.h"
#include "exact/grid.h"

namespace strativex::exact {

// The memory a check takes at its peak on this fine grid, bytes: the grids twice and four
// times as coarse, the conductances, the matrix, the multigrid levels and the vectors of the
// iterations.
double CheckBytes(const Grid& fine);

// Why a check on this fine grid is not to be attempted, for the user: the cells and the memory
// they need beyond what the options allow. Nothing when it fits.
std::optional<std::string> GridTooLarge(const Grid& fine, const ExactOptions& options);

}  // namespace strativex::exact
