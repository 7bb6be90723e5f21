#include "exact/graded_axis.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace strativex::exact {
namespace {

// Samples per wanted cell, so that the first cells at a refined point are placed accurately.
constexpr double kSamplesPerCell = 8.0;
// No segment takes fewer samples than this, however large its cells ...
constexpr double kMinSamples = 512.0;
// ... nor more: a segment that would need more asks for far more cells than any grid the
// check may allocate, and its count only has to say so.
constexpr double kMaxSamples = 1e6;
// Every segment gets a multiple of this many cells, so that halving the grid twice still
// leaves faces on every point.
constexpr int kCellMultiple = 4;

double CellSizeAt(const AxisPlan& plan, double x) {
    double size = std::numeric_limits<double>::infinity();
    for (std::size_t p = 0; p < plan.Points.size(); ++p) {
        if (plan.FineSizes[p] <= 0.0) continue;
        size = std::min(size, plan.FineSizes[p] + plan.Growth * std::fabs(x - plan.Points[p]));
    }
    return std::isinf(size) ? plan.Points.back() - plan.Points.front() : size;
}

// The integral of 1 / size from `from` at every sample. The samples follow the wanted size,
// which can span many orders of magnitude (a micrometre source on a metre of plate): evenly
// spaced samples fine enough for the smallest cells would be too many to hold, and coarser
// ones overstate the integral near a small cell by as many orders.
struct Samples {
    std::vector<double> At, Cumulative;
};

Samples SampleSegment(const AxisPlan& plan, double from, double to) {
    Samples samples{{from}, {0.0}};
    const double longest = (to - from) / kMinSamples;
    double x = from;
    double inverse = 1.0 / CellSizeAt(plan, x);
    while (x < to) {
        double next = std::min({to, x + CellSizeAt(plan, x) / kSamplesPerCell, x + longest});
        // The sizes grow away from every point, so the samples grow geometrically and stay
        // few; a plan that still needs more is cut short, overstating its cells, which is
        // what it has to say.
        if (!(next > x) || static_cast<double>(samples.At.size()) >= kMaxSamples) next = to;
        const double nextInverse = 1.0 / CellSizeAt(plan, next);
        samples.At.push_back(next);
        samples.Cumulative.push_back(samples.Cumulative.back() +
                                     0.5 * (next - x) * (inverse + nextInverse));
        x = next;
        inverse = nextInverse;
    }
    return samples;
}

// Places faces in [from, to] so that each cell holds the same share of the integral of
// 1 / size: cells then follow the wanted size however it varies.
void AppendSegment(const AxisPlan& plan, double from, double to, std::vector<double>& faces) {
    const Samples samples = SampleSegment(plan, from, to);
    const double total = samples.Cumulative.back();
    const double wanted = std::min(std::ceil(total), kMaxSamples);
    int cells = std::max(plan.MinCellsPerSegment, static_cast<int>(wanted));
    cells += (kCellMultiple - cells % kCellMultiple) % kCellMultiple;
    std::size_t s = 0;
    for (int c = 1; c < cells; ++c) {
        const double target = total * c / cells;
        while (samples.Cumulative[s + 1] < target) ++s;
        const double share =
            (target - samples.Cumulative[s]) / (samples.Cumulative[s + 1] - samples.Cumulative[s]);
        faces.push_back(samples.At[s] + share * (samples.At[s + 1] - samples.At[s]));
    }
    faces.push_back(to);
}

}  // namespace

std::vector<double> GradedFaces(const AxisPlan& plan) {
    std::vector<double> faces{plan.Points.front()};
    for (std::size_t p = 0; p + 1 < plan.Points.size(); ++p) {
        AppendSegment(plan, plan.Points[p], plan.Points[p + 1], faces);
    }
    return faces;
}

std::vector<double> HalvedFaces(const std::vector<double>& faces) {
    std::vector<double> halved;
    for (std::size_t f = 0; f < faces.size(); f += 2) halved.push_back(faces[f]);
    return halved;
}

}  // namespace strativex::exact
