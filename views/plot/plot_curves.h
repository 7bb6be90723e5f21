#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

#include <vector>

#include "views/plot/plot_axis.h"
#include "views/plot/plot_geometry.h"

// Curves of x-y samples on linear or logarithmic axes, drawn with the sweep plot's frame,
// ticks and legend: the transient's thermal impedance, pulses and structure function.
namespace strativex {

struct CurvePlotSeries {
    QString Name;  // in the legend
    PlotLine Line;
    std::vector<double> X;
    std::vector<double> Y;  // one per x; a value a log axis cannot show breaks the line
};

struct CurvePlotInputs {
    QString Title;  // above the legend; none when empty
    QString XTitle;
    QString YTitle;
    AxisScale XScale = AxisScale::Linear;
    AxisScale YScale = AxisScale::Linear;
    std::vector<CurvePlotSeries> Series;
    // Shown in the empty frame when no series has a point: why there is nothing.
    QString Empty;
};

// Lays the plot out for the target and draws it there. layoutScale is painter units per layout
// pixel: 1 on a widget or an image, the resolution over 96 on a page.
void PaintCurvePlot(QPainter& painter, const QRectF& target, double layoutScale,
                    const CurvePlotInputs& inputs);

// Several plots side by side, two to a row, filling the target.
void PaintCurvePlots(QPainter& painter, const QRectF& target, double layoutScale,
                     const std::vector<CurvePlotInputs>& plots);

}  // namespace strativex
