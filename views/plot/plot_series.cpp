#include "views/plot/plot_series.h"

#include <algorithm>
#include <cmath>

namespace strativex {
namespace {

// The narrowest band still seen, for a single failed point among many.
constexpr double kMinGapWidth = 3.0;

bool SameGap(const SweepPoint& a, const SweepPoint& b) {
    return !b.HasResult() && a.FailedLayer == b.FailedLayer && a.Cause == b.Cause;
}

// Half-way to the neighbour before the point, or after it; the axis's end past the first and
// the last point. A falling sweep runs from right to left.
double EdgeBefore(const std::vector<double>& pointX, std::size_t p, const QRectF& area) {
    if (p > 0) return (pointX[p - 1] + pointX[p]) / 2.0;
    return pointX.back() >= pointX.front() ? area.left() : area.right();
}

double EdgeAfter(const std::vector<double>& pointX, std::size_t p, const QRectF& area) {
    if (p + 1 < pointX.size()) return (pointX[p] + pointX[p + 1]) / 2.0;
    return pointX.back() >= pointX.front() ? area.right() : area.left();
}

}  // namespace

PlotData PlotDataOf(const SweepPlotInputs& inputs) {
    const SweepResult& sweep = inputs.sweep;
    const bool categories = sweep.Request.Quantity == QuantityId::Material;
    PlotData data;
    if (inputs.layerTemps) data.Layers.resize(static_cast<std::size_t>(sweep.LayerCount));
    for (std::size_t p = 0; p < sweep.Points.size(); ++p) {
        const SweepPoint& point = sweep.Points[p];
        data.X.push_back(categories ? static_cast<double>(p) : point.Value);
        data.Source.push_back(point.HeatSourceTempC);
        data.Resistance.push_back(point.TotalResistance);
        for (std::size_t i = 0; i < data.Layers.size(); ++i) {
            data.Layers[i].push_back(point.Layers[i].TopTempC());
        }
    }
    if (inputs.exact == nullptr) return data;
    for (const SweepExactPoint& exact : *inputs.exact) {
        if (exact.Index >= data.X.size()) continue;
        data.ExactX.push_back(data.X[exact.Index]);
        data.ExactAverage.push_back(exact.AverageC);
        data.ExactPeak.push_back(exact.PeakC);
    }
    return data;
}

std::optional<std::pair<double, double>> ValueRange(
    const std::vector<const SeriesValues*>& series) {
    std::optional<std::pair<double, double>> range;
    for (const SeriesValues* values : series) {
        for (const auto& value : *values) {
            if (!value || !std::isfinite(*value)) continue;
            range = range
                        ? std::pair(std::min(range->first, *value), std::max(range->second, *value))
                        : std::pair(*value, *value);
        }
    }
    return range;
}

PlotSeries PlacedSeries(const SeriesValues& values, const SeriesPlacement& placement,
                        const std::function<double(double)>& y, PlotLine line, PlotMarker marker) {
    PlotSeries series{line, marker, {}, {}};
    const bool markers = placement.Markers;
    QPolygonF run;
    // A value alone between two gaps has no line to sit on; it shows as a marker.
    const auto endRun = [&] {
        if (run.size() > 1) series.Runs.push_back(run);
        if (run.size() == 1 && !markers) series.Markers.push_back(run.front());
        run.clear();
    };
    for (std::size_t p = 0; p < values.size(); ++p) {
        if (!values[p] || !std::isfinite(*values[p])) {
            endRun();
            continue;
        }
        const QPointF at(placement.PointX[p], y(*values[p]));
        if (markers) series.Markers.push_back(at);
        if (!placement.Connected) continue;
        run.append(at);
    }
    endRun();
    return series;
}

std::vector<PlotGap> GapBands(const SweepResult& sweep, const std::vector<double>& pointX,
                              const QRectF& area) {
    std::vector<PlotGap> gaps;
    const auto& points = sweep.Points;
    for (std::size_t first = 0; first < points.size(); ++first) {
        if (points[first].HasResult()) continue;
        std::size_t last = first;
        while (last + 1 < points.size() && SameGap(points[first], points[last + 1])) ++last;
        const double before = EdgeBefore(pointX, first, area);
        const double after = EdgeAfter(pointX, last, area);
        double left = std::min(before, after);
        double right = std::max(before, after);
        if (right - left < kMinGapWidth) {
            const double centre = (left + right) / 2.0;
            left = centre - kMinGapWidth / 2.0;
            right = centre + kMinGapWidth / 2.0;
        }
        left = std::max(left, area.left());
        right = std::min(right, area.right());
        gaps.push_back({QRectF(left, area.top(), right - left, area.height()), first, last});
        first = last;
    }
    return gaps;
}

}  // namespace strativex
