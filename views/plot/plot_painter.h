#pragma once

#include <QPen>
#include <QRectF>

#include <vector>

#include "views/plot/plot_geometry.h"
#include "views/plot/plot_inputs.h"

class QPainter;

namespace strativex {

// The pieces of a plot, for the sweep's and for others drawn the same way.
QPen PlotPen(const PlotLine& line);
// The grid lines, the area's frame and the ticks outside it: below, on the left and, where a
// second axis stands, on the right.
void DrawPlotFrame(QPainter& painter, const QRectF& area, const std::vector<double>& gridX,
                   const std::vector<double>& gridY, bool rightTicks);
// Each entry's sample: a stroke, or a box shaded as a gap.
void DrawPlotLegend(QPainter& painter, const std::vector<PlotLegendEntry>& legend);
// A label, turned where it reads from the bottom up.
void DrawPlotLabel(QPainter& painter, const PlotLabel& label);

// Draws a laid-out plot in layout pixels from the painter's origin.
void DrawSweepPlot(QPainter& painter, const SweepPlotGeometry& geometry);

// Lays the plot out for the target and draws it there, on any painter: a widget, an image, a
// PDF or printer page. layoutScale is painter units per layout pixel: 1 on a widget or an
// image, the resolution over 96 on a page. The geometry comes back in layout pixels from the
// target's corner, for the read-out under a cursor.
SweepPlotGeometry PaintSweepPlot(QPainter& painter, const QRectF& target, double layoutScale,
                                 const SweepPlotInputs& inputs);

}  // namespace strativex
