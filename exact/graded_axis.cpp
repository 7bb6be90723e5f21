#include "exact/graded_axis.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace strativex::exact {
namespace {

constexpr double kMinSamples = 512.0;
// Samples per fine cell, so that the first cells at a refined point are placed accurately.
constexpr double kSamplesPerFineCell = 8.0;
constexpr double kMaxSamples = 1e6;

double CellSizeAt(const AxisPlan& plan, double x) {
    double size = std::numeric_limits<double>::infinity();
    for (std::size_t p = 0; p < plan.Points.size(); ++p) {
        if (plan.FineSizes[p] <= 0.0) continue;
        size = std::min(size, plan.FineSizes[p] + plan.Growth * std::fabs(x - plan.Points[p]));
    }
    return std::isinf(size) ? plan.Points.back() - plan.Points.front() : size;
}

double SmallestFineSize(const AxisPlan& plan) {
    double smallest = plan.Points.back() - plan.Points.front();
    for (const double size : plan.FineSizes) {
        if (size > 0.0) smallest = std::min(smallest, size);
    }
    return smallest;
}

// Places faces in [from, to] so that each cell holds the same share of the integral of
// 1 / size: cells then follow the wanted size however it varies.
void AppendSegment(const AxisPlan& plan, double from, double to, std::vector<double>& faces) {
    const auto samples = static_cast<int>(std::clamp(
        kSamplesPerFineCell * (to - from) / SmallestFineSize(plan), kMinSamples, kMaxSamples));
    std::vector<double> cumulative(samples + 1, 0.0);
    const double step = (to - from) / samples;
    for (int s = 1; s <= samples; ++s) {
        const double a = from + (s - 1) * step;
        cumulative[s] = cumulative[s - 1] +
                        0.5 * step * (1.0 / CellSizeAt(plan, a) + 1.0 / CellSizeAt(plan, a + step));
    }
    int cells = std::max(plan.MinCellsPerSegment, static_cast<int>(std::ceil(cumulative.back())));
    cells += cells % 2;
    int s = 0;
    for (int c = 1; c < cells; ++c) {
        const double target = cumulative.back() * c / cells;
        while (cumulative[s + 1] < target) ++s;
        const double share = (target - cumulative[s]) / (cumulative[s + 1] - cumulative[s]);
        faces.push_back(from + (s + share) * step);
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
