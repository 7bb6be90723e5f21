#include "exact/transient_grid.h"

#include <algorithm>
#include <cmath>

#include "exact/graded_axis.h"

namespace strativex::exact {
namespace {

// Cells across the heat's reach sqrt(alpha * t) at the start time ...
constexpr double kCellsPerReach = 2.0;
// ... and cells grow by this share of their distance from the face, as the reach grows with
// the time it takes to get there.
constexpr double kGrowth = 0.5;
// The lateral cells at the source's edge are sized for the reach at this many times the start.
constexpr double kLateralTimeShare = 100.0;

// The smallest cell of `faces` touching the face at `position`.
double CellAt(const std::vector<double>& faces, double position) {
    const auto nearest = std::min_element(faces.begin(), faces.end(), [&](double a, double b) {
        return std::fabs(a - position) < std::fabs(b - position);
    });
    const auto at = static_cast<std::size_t>(nearest - faces.begin());
    double size = faces.back() - faces.front();
    if (at > 0) size = std::min(size, faces[at] - faces[at - 1]);
    if (at + 1 < faces.size()) size = std::min(size, faces[at + 1] - faces[at]);
    return size;
}

std::size_t NearestFace(const std::vector<double>& faces, double position) {
    const auto nearest = std::min_element(faces.begin(), faces.end(), [&](double a, double b) {
        return std::fabs(a - position) < std::fabs(b - position);
    });
    return static_cast<std::size_t>(nearest - faces.begin());
}

// `faces` with those between the faces at `from` and `to` graded anew from the sizes given
// there; the rest stay as the steady grid has them.
std::vector<double> Spliced(const std::vector<double>& faces, double from, double to,
                            double sizeFrom, double sizeTo, int minCells) {
    const std::size_t first = NearestFace(faces, from);
    const std::size_t last = NearestFace(faces, to);
    const AxisPlan plan{{faces[first], faces[last]}, {sizeFrom, sizeTo}, kGrowth, minCells};
    const std::vector<double> segment = GradedFaces(plan);
    std::vector<double> spliced(faces.begin(), faces.begin() + static_cast<std::ptrdiff_t>(first));
    spliced.insert(spliced.end(), segment.begin(), segment.end());
    spliced.insert(spliced.end(), faces.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                   faces.end());
    return spliced;
}

// Where the source is smaller than layer 1, the heat spreads sideways from its edge, and the
// lateral cells there are sized for the heat's reach too. Only a strip as wide as the reach
// along the edge feels it, so the cells there can be sized for a later time than the start
// with the error at the start no larger.
std::vector<double> LateralFaces(const std::vector<double>& faces,
                                 const std::vector<double>& layerEdges, double sourceEdge,
                                 double size) {
    if (sourceEdge >= layerEdges.front()) return faces;
    double below = faces.front();
    double above = faces.back();
    // Layer edges are faces the splice must keep: it spans only the gap between two of them.
    for (const double edge : layerEdges) {
        if (edge < sourceEdge) below = std::max(below, edge);
        if (edge > sourceEdge) above = std::min(above, edge);
    }
    const double edgeSize = std::min(size, CellAt(faces, sourceEdge));
    const std::vector<double> inner =
        Spliced(faces, below, sourceEdge, CellAt(faces, below), edgeSize, 2);
    return Spliced(inner, sourceEdge, above, edgeSize, CellAt(inner, above), 2);
}

}  // namespace

Grid TransientGrid(const Stack& stack, const std::vector<double>& heatCapacity,
                   const TransientOptions& options) {
    Grid grid = BuildGrid(stack, options.Steady);
    const StackLayer& top = stack.Layers.front();
    const double diffusivity = top.Conductivity(stack.BaseTempK) / heatCapacity.front();
    const double size = std::sqrt(diffusivity * options.StartTime) / kCellsPerReach;
    const double firstInterface = top.Thickness;
    grid.Z = Spliced(grid.Z, 0.0, firstInterface, std::min(size, CellAt(grid.Z, 0.0)),
                     CellAt(grid.Z, firstInterface), options.Steady.MinCellsPerLayer);
    grid.LayerOfRow = LayersOfRows(stack, grid.Z);
    const double lateralSize = size * std::sqrt(kLateralTimeShare);
    grid.X = LateralFaces(grid.X, grid.LayerHalfWidth, grid.SourceHalfWidth, lateralSize);
    grid.Y = LateralFaces(grid.Y, grid.LayerHalfLength, grid.SourceHalfLength, lateralSize);
    return grid;
}

}  // namespace strativex::exact
