#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "views/plot/plot_geometry.h"

namespace strativex {

struct PlotLegendItem {
    QString Text;
    std::optional<PlotLine> Line;  // a stroke, or without one a box shaded as a gap
};

// Lays the entries out from left to right between `left` and `right`, wrapping to a new row
// where one would run past the right; each gives a sample to draw and a label. The bottom of
// the last row comes back.
double LayOutPlotLegend(const std::vector<PlotLegendItem>& items, double left, double right,
                        double top, std::vector<PlotLegendEntry>& legend,
                        std::vector<PlotLabel>& labels);

}  // namespace strativex
