#pragma once

#include <vector>

namespace strativex::exact {

// Where cells are wanted small along one axis: at a refined point the cell size is that
// point's FineSize, and it grows by Growth times the distance from the point; the smallest
// size any refined point asks for wins.
struct AxisPlan {
    std::vector<double> Points;     // increasing; the first and last are the axis ends
    std::vector<double> FineSizes;  // one per point; 0 where the point is not refined
    double Growth = 0.0;
    int MinCellsPerSegment = 2;
};

// Face positions from the first point to the last with a face on every point. Every
// segment between two points gets a multiple of four cells, so that every other face makes a
// grid twice as coarse, and every fourth one a grid four times as coarse, that still have
// their faces on the points.
std::vector<double> GradedFaces(const AxisPlan& plan);

// Every other face.
std::vector<double> HalvedFaces(const std::vector<double>& faces);

}  // namespace strativex::exact
