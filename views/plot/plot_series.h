#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "views/plot/plot_geometry.h"

// The data half of the plot's layout: the values of every series and where they land.
namespace strativex {

using SeriesValues = std::vector<std::optional<double>>;

struct PlotData {
    std::vector<double> X;  // the swept values, or a material sweep's indices
    SeriesValues Source;
    SeriesValues Resistance;
    std::vector<SeriesValues> Layers;  // only when they are shown
    // The 3-D check's points alone, in the sweep's order: their x and values.
    std::vector<double> ExactX;
    SeriesValues ExactAverage;
    SeriesValues ExactPeak;
};

PlotData PlotDataOf(const SweepPlotInputs& inputs);

// The smallest and largest value of the series; nothing when none has a value.
std::optional<std::pair<double, double>> ValueRange(const std::vector<const SeriesValues*>& series);

// A series placed through the points' x and its axis's y; runs break where a value is missing.
// Where the points of every series go: their x, and whether they are joined and marked.
struct SeriesPlacement {
    const std::vector<double>& PointX;
    bool Connected = true;
    bool Markers = false;
};

PlotSeries PlacedSeries(const SeriesValues& values, const SeriesPlacement& placement,
                        const std::function<double(double)>& y, PlotLine line,
                        PlotMarker marker = PlotMarker::Dot);

std::vector<PlotGap> GapBands(const SweepResult& sweep, const std::vector<double>& pointX,
                              const QRectF& area);

}  // namespace strativex
