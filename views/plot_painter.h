#pragma once

#include <QRectF>

#include "views/plot_geometry.h"
#include "views/plot_inputs.h"

class QPainter;

namespace strativex {

// Draws a laid-out plot in layout pixels from the painter's origin.
void DrawSweepPlot(QPainter& painter, const SweepPlotGeometry& geometry);

// Lays the plot out for the target and draws it there, on any painter: a widget, an image, a
// PDF or printer page. layoutScale is painter units per layout pixel: 1 on a widget or an
// image, the resolution over 96 on a page. The geometry comes back in layout pixels from the
// target's corner, for the read-out under a cursor.
SweepPlotGeometry PaintSweepPlot(QPainter& painter, const QRectF& target, double layoutScale,
                                 const SweepPlotInputs& inputs);

}  // namespace strativex
