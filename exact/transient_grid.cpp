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
constexpr double kGrowth = 0.3;
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

std::vector<int> LayerOfEveryRow(const Stack& stack, const std::vector<double>& z) {
    std::vector<int> layers;
    double bottom = 0.0;
    int layer = -1;
    for (std::size_t row = 0; row + 1 < z.size(); ++row) {
        const double centre = 0.5 * (z[row] + z[row + 1]);
        while (centre > bottom && layer + 1 < static_cast<int>(stack.Layers.size())) {
            bottom += stack.Layers[static_cast<std::size_t>(++layer)].Thickness;
        }
        layers.push_back(layer);
    }
    return layers;
}

// Faces from `points` (increasing, ends included) graded from the cell sizes `faces` has at
// each, and smaller than `edgeSize` at `edge`.
std::vector<double> Regraded(const std::vector<double>& faces, std::vector<double> points,
                             double edge, double edgeSize, int minCells) {
    std::sort(points.begin(), points.end());
    points.erase(std::unique(points.begin(), points.end()), points.end());
    AxisPlan plan{points, {}, kGrowth, minCells};
    for (const double point : points) {
        const double size = CellAt(faces, point);
        plan.FineSizes.push_back(point == edge ? std::min(size, edgeSize) : size);
    }
    return GradedFaces(plan);
}

// Where the source is smaller than layer 1, the heat spreads sideways from its edge, and the
// lateral cells there are sized for the heat's reach too. Only a strip as wide as the reach
// along the edge feels it, so the cells there can be sized for a later time than the start
// with the error at the start no larger.
std::vector<double> LateralFaces(const std::vector<double>& faces,
                                 const std::vector<double>& layerEdges, double sourceEdge,
                                 double size) {
    if (sourceEdge >= layerEdges.front()) return faces;
    std::vector<double> points{faces.front(), faces.back(), sourceEdge};
    for (const double edge : layerEdges) points.push_back(edge);
    return Regraded(faces, points, sourceEdge, size, 2);
}

}  // namespace

Grid TransientGrid(const Stack& stack, const std::vector<double>& heatCapacity,
                   const TransientOptions& options) {
    Grid grid = BuildGrid(stack, options.Steady);
    const StackLayer& top = stack.Layers.front();
    const double diffusivity = top.Conductivity(stack.BaseTempK) / heatCapacity.front();
    const double size = std::sqrt(diffusivity * options.StartTime) / kCellsPerReach;
    std::vector<double> interfaces{0.0};
    for (const StackLayer& layer : stack.Layers)
        interfaces.push_back(interfaces.back() + layer.Thickness);
    grid.Z = Regraded(grid.Z, interfaces, 0.0, size, options.Steady.MinCellsPerLayer);
    grid.LayerOfRow = LayerOfEveryRow(stack, grid.Z);
    const double lateralSize = size * std::sqrt(kLateralTimeShare);
    grid.X = LateralFaces(grid.X, grid.LayerHalfWidth, grid.SourceHalfWidth, lateralSize);
    grid.Y = LateralFaces(grid.Y, grid.LayerHalfLength, grid.SourceHalfLength, lateralSize);
    return grid;
}

}  // namespace strativex::exact
