#include "exact/grid.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "exact/graded_axis.h"
#include "exact/lateral_reach.h"

namespace strativex::exact {
namespace {

// Near the source edge a cell spans this share of the heated half-size at Fineness 1 ...
constexpr double kCellsAtSourceEdge = 12.0;
// ... and at most this share of the thickness of every layer whose top lies within the heated
// half-size of the source: under a large source a thin top layer shapes the field near the
// source edge on the scale of its own thickness.
constexpr double kThinLayerShare = 0.5;
// ... and cells grow by this share of their distance from the nearest edge or interface.
constexpr double kGrowth = 0.3;
// The heat has spread over about its distance from the source by the time it reaches an edge
// or interface, so the field there varies on that scale: cells at a point are no smaller than
// this share of its distance from the source edge (on the lateral axes) or face (in depth).
constexpr double kSpreadShare = 0.1;
constexpr int kMinCellsPerLateralSegment = 4;
// Points closer than this share of the fine size are one point: a sliver between them would
// only cost cells.
constexpr double kMergeShare = 0.05;
constexpr double kCoarsening = 1.25;
// The least cells per segment and per layer bound the grid from below; past that many
// coarsenings the cell limit cannot be met and the grid is taken as it is.
constexpr int kMaxCoarsenings = 20;

struct Sizing {
    double FineSize = 0.0;
    double Growth = 0.0;
};

double HalfOnAxis(const StackLayer& layer, Axis axis) {
    return axis == Axis::Width ? layer.HalfWidth : layer.HalfLength;
}

double SourceHalfOnAxis(const Stack& stack, Axis axis) {
    return axis == Axis::Width ? stack.SourceHalfWidth : stack.SourceHalfLength;
}

const std::vector<double>& CentresOnAxis(const Stack& stack, Axis axis) {
    return axis == Axis::Width ? stack.SourceCentreX : stack.SourceCentreY;
}

// The heated half-size: the source where it meets layer 1.
double HeatedHalf(const Stack& stack, Axis axis) {
    return std::min(SourceHalfOnAxis(stack, axis), HalfOnAxis(stack.Layers.front(), axis));
}

// The spans the sources cover in the quarter, cut off at `limit`, before they are put on
// faces.
std::vector<HeatedSpan> SourceSpans(const Stack& stack, Axis axis, double limit) {
    const double half = SourceHalfOnAxis(stack, axis);
    std::vector<HeatedSpan> spans;
    for (const double centre : CentresOnAxis(stack, axis)) {
        if (centre < 0.0) continue;
        spans.push_back({std::max(0.0, centre - half), std::min(centre + half, limit)});
    }
    return spans;
}

// The spans the sources heat: where they meet layer 1.
std::vector<HeatedSpan> HeatedSpans(const Stack& stack, Axis axis) {
    return SourceSpans(stack, axis, HalfOnAxis(stack.Layers.front(), axis));
}

double DistanceFromSources(const std::vector<HeatedSpan>& spans, double point) {
    double distance = std::numeric_limits<double>::infinity();
    for (const HeatedSpan& span : spans) {
        distance = std::min(distance, std::fabs(point - span.High));
        if (span.Low > 0.0) distance = std::min(distance, std::fabs(point - span.Low));
    }
    return distance;
}

double AxisEnd(const Stack& stack, Axis axis, double tolerance) {
    double outermostFinite = 0.0;
    bool anyUnlimited = false;
    for (const StackLayer& layer : stack.Layers) {
        const double half = HalfOnAxis(layer, axis);
        anyUnlimited = anyUnlimited || std::isinf(half);
        if (std::isfinite(half)) outermostFinite = std::max(outermostFinite, half);
    }
    if (!anyUnlimited) return outermostFinite;
    const double reach = SourceSpans(stack, axis, kUnlimited).back().High;
    return std::max(outermostFinite, reach) + TruncationDistance(stack, axis, tolerance);
}

// `fineSize` 0: a point the grid needs a face on, without cells made smaller there.
void AddPoint(AxisPlan& plan, double point, double fineSize, double mergeDistance) {
    for (std::size_t p = 0; p < plan.Points.size(); ++p) {
        if (std::fabs(plan.Points[p] - point) < mergeDistance) {
            double& kept = plan.FineSizes[p];
            if (fineSize > 0.0) kept = kept > 0.0 ? std::min(kept, fineSize) : fineSize;
            return;
        }
    }
    plan.Points.push_back(point);
    plan.FineSizes.push_back(fineSize);
}

double FineSizeAt(Sizing sizing, double distanceFromSource) {
    return std::max(sizing.FineSize, kSpreadShare * distanceFromSource);
}

void SortPlan(AxisPlan& plan) {
    std::vector<std::size_t> order(plan.Points.size());
    for (std::size_t p = 0; p < order.size(); ++p) order[p] = p;
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return plan.Points[a] < plan.Points[b]; });
    AxisPlan sorted = plan;
    for (std::size_t p = 0; p < order.size(); ++p) {
        sorted.Points[p] = plan.Points[order[p]];
        sorted.FineSizes[p] = plan.FineSizes[order[p]];
    }
    plan = sorted;
}

std::vector<double> LateralFaces(const Stack& stack, Axis axis, double end, Sizing sizing) {
    AxisPlan plan{{}, {}, sizing.Growth, kMinCellsPerLateralSegment};
    const double merge = kMergeShare * sizing.FineSize;
    // The cut-off edge goes in first so that no layer edge near it can take its place.
    AddPoint(plan, end, 0.0, merge);
    AddPoint(plan, 0.0, 0.0, merge);
    // Every source's own edges, even where layer 1 clips them: the clipped edge is a layer
    // edge and comes in below.
    const std::vector<HeatedSpan> spans = SourceSpans(stack, axis, kUnlimited);
    for (const HeatedSpan& span : spans) {
        if (span.Low > 0.0) AddPoint(plan, span.Low, sizing.FineSize, merge);
        if (span.High < end) AddPoint(plan, span.High, sizing.FineSize, merge);
    }
    for (const StackLayer& layer : stack.Layers) {
        const double half = HalfOnAxis(layer, axis);
        if (std::isfinite(half)) {
            AddPoint(plan, half, FineSizeAt(sizing, DistanceFromSources(spans, half)), merge);
        }
    }
    SortPlan(plan);
    return GradedFaces(plan);
}

std::vector<double> DepthFaces(const Stack& stack, Sizing sizing, int minCellsPerLayer) {
    AxisPlan plan{{0.0}, {sizing.FineSize}, sizing.Growth, minCellsPerLayer};
    double depth = 0.0;
    for (const StackLayer& layer : stack.Layers) {
        depth += layer.Thickness;
        plan.Points.push_back(depth);
        plan.FineSizes.push_back(FineSizeAt(sizing, depth));
    }
    return GradedFaces(plan);
}

// Snaps a layer's edge to the face nearest to it, so that cells lie wholly in or out of it.
double OnFace(const std::vector<double>& faces, double half) {
    if (!std::isfinite(half)) return faces.back();
    return *std::min_element(faces.begin(), faces.end(), [&](double a, double b) {
        return std::fabs(a - half) < std::fabs(b - half);
    });
}

std::vector<HeatedSpan> SpansOnFaces(const std::vector<double>& faces,
                                     std::vector<HeatedSpan> spans) {
    for (HeatedSpan& span : spans) span = {OnFace(faces, span.Low), OnFace(faces, span.High)};
    return spans;
}

Grid GridWithSizing(const Stack& stack, const ExactOptions& options, Sizing sizing) {
    Grid grid;
    const double endX = AxisEnd(stack, Axis::Width, options.TruncationTolerance);
    const double endY = AxisEnd(stack, Axis::Length, options.TruncationTolerance);
    grid.X = LateralFaces(stack, Axis::Width, endX, sizing);
    grid.Y = LateralFaces(stack, Axis::Length, endY, sizing);
    grid.Z = DepthFaces(stack, sizing, options.MinCellsPerLayer);
    grid.LayerOfRow = LayersOfRows(stack, grid.Z);
    for (const StackLayer& layer : stack.Layers) {
        grid.LayerHalfWidth.push_back(OnFace(grid.X, layer.HalfWidth));
        grid.LayerHalfLength.push_back(OnFace(grid.Y, layer.HalfLength));
    }
    grid.SourceHalfWidth = OnFace(grid.X, HeatedHalf(stack, Axis::Width));
    grid.SourceHalfLength = OnFace(grid.Y, HeatedHalf(stack, Axis::Length));
    grid.HeatedX = SpansOnFaces(grid.X, HeatedSpans(stack, Axis::Width));
    grid.HeatedY = SpansOnFaces(grid.Y, HeatedSpans(stack, Axis::Length));
    grid.BaseHeatTransfer = stack.BaseHeatTransfer;
    return grid;
}

double ThinLayerSize(const Stack& stack, double heated) {
    double size = std::numeric_limits<double>::infinity();
    double depth = 0.0;
    for (const StackLayer& layer : stack.Layers) {
        if (depth >= heated) break;
        size = std::min(size, kThinLayerShare * layer.Thickness);
        depth += layer.Thickness;
    }
    return size;
}

// The cells from the symmetry plane whose centres lie within `halfSize`.
int CellsWithin(const std::vector<double>& faces, double halfSize) {
    int cells = 0;
    while (cells + 1 < static_cast<int>(faces.size()) &&
           0.5 * (faces[cells] + faces[cells + 1]) < halfSize) {
        ++cells;
    }
    return cells;
}

}  // namespace

std::vector<RowCorner> BodyCorners(const Grid& grid) {
    std::vector<RowCorner> corners(static_cast<std::size_t>(grid.Nz()));
    for (std::size_t l = 0; l < corners.size(); ++l) {
        const auto layer = static_cast<std::size_t>(grid.LayerOfRow[l]);
        corners[l] = {CellsWithin(grid.X, grid.LayerHalfWidth[layer]),
                      CellsWithin(grid.Y, grid.LayerHalfLength[layer])};
    }
    return corners;
}

std::vector<int> LayersOfRows(const Stack& stack, const std::vector<double>& z) {
    std::vector<int> layers;
    double bottom = 0.0;
    int layer = -1;
    for (std::size_t row = 0; row + 1 < z.size(); ++row) {
        const double centre = 0.5 * (z[row] + z[row + 1]);
        while (centre > bottom && layer + 1 < static_cast<int>(stack.Layers.size())) {
            bottom += stack.Layers[++layer].Thickness;
        }
        layers.push_back(layer);
    }
    return layers;
}

namespace {

std::optional<std::size_t> SpanHolding(const std::vector<HeatedSpan>& spans, double centre) {
    for (std::size_t s = 0; s < spans.size(); ++s) {
        if (centre > spans[s].Low && centre < spans[s].High) return s;
    }
    return std::nullopt;
}

double SpanLength(const std::vector<HeatedSpan>& spans) {
    double length = 0.0;
    for (const HeatedSpan& span : spans) length += span.High - span.Low;
    return length;
}

}  // namespace

std::optional<std::size_t> Grid::SpanX(int i) const {
    return SpanHolding(HeatedX, 0.5 * (X[i] + X[i + 1]));
}

std::optional<std::size_t> Grid::SpanY(int j) const {
    return SpanHolding(HeatedY, 0.5 * (Y[j] + Y[j + 1]));
}

bool Grid::IsHeated(int i, int j) const {
    return SpanX(i) && SpanY(j);
}

double Grid::HeatedArea() const {
    return SpanLength(HeatedX) * SpanLength(HeatedY);
}

std::optional<CellPosition> LocateCell(const Grid& grid, double x, double y, double z) {
    const auto find = [](const std::vector<double>& faces, double value) -> std::optional<int> {
        if (!(value >= faces.front() && value <= faces.back())) return std::nullopt;
        const auto upper = std::upper_bound(faces.begin(), faces.end(), value);
        const auto index = static_cast<int>(upper - faces.begin()) - 1;
        return std::min(index, static_cast<int>(faces.size()) - 2);
    };
    const auto i = find(grid.X, std::fabs(x));
    const auto j = find(grid.Y, std::fabs(y));
    const auto l = find(grid.Z, z);
    if (!i || !j || !l) return std::nullopt;
    return CellPosition{*i, *j, *l};
}

Grid BuildGrid(const Stack& stack, const ExactOptions& options) {
    const double heated = std::min(HeatedHalf(stack, Axis::Width), HeatedHalf(stack, Axis::Length));
    const double fineSize = std::min(heated / kCellsAtSourceEdge, ThinLayerSize(stack, heated));
    Sizing sizing{fineSize / options.Fineness, kGrowth / options.Fineness};
    Grid grid = GridWithSizing(stack, options, sizing);
    for (int attempt = 0; attempt < kMaxCoarsenings && grid.CellCount() > options.MaxCells;
         ++attempt) {
        sizing.FineSize *= kCoarsening;
        sizing.Growth *= kCoarsening;
        grid = GridWithSizing(stack, options, sizing);
    }
    return grid;
}

Grid HalvedGrid(const Grid& fine) {
    Grid coarse = fine;
    coarse.X = HalvedFaces(fine.X);
    coarse.Y = HalvedFaces(fine.Y);
    coarse.Z = HalvedFaces(fine.Z);
    coarse.LayerOfRow.clear();
    for (std::size_t row = 0; row < fine.LayerOfRow.size(); row += 2) {
        coarse.LayerOfRow.push_back(fine.LayerOfRow[row]);
    }
    return coarse;
}

}  // namespace strativex::exact
