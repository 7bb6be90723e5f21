#pragma once

#include <cstddef>
#include <vector>

#include "exact/conductances.h"
#include "exact/grid.h"

namespace strativex::exact {

// The heated cells of the top row and what turns their rises into the source face's: the
// source's flux crosses the upper half of each cell, so the face lies that drop above it.
struct SourceFace {
    std::vector<std::size_t> Cells;
    std::vector<double> Areas;  // cm2
    std::vector<double> Drops;  // K
    double Area = 0.0;          // of the quarter, cm2
};

SourceFace SourceFaceOf(const Grid& grid, const std::vector<double>& conductivity, double power);

struct FaceRise {
    double Average = 0.0;  // over the heated area, K
    double Peak = 0.0;
};

FaceRise MeasureFace(const SourceFace& face, const std::vector<double>& riseK);

// Of the whole stack (four quarters): the heat held above the base temperature, J, and the
// heat flowing into the base, W.
double StoredHeat(const std::vector<double>& capacity, const std::vector<double>& riseK);
double BaseFlow(const Conductances& g, const std::vector<double>& riseK);

}  // namespace strativex::exact
