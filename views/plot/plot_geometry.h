#pragma once

#include <QColor>
#include <QPolygonF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

#include "views/plot/plot_axis.h"
#include "views/plot/plot_inputs.h"
#include "views/plot/plot_style.h"

namespace strativex {

struct PlotLabel {
    QRectF Box;  // where the text sits on the plot, turned or not
    QString Text;
    int Align = Qt::AlignCenter;
    PlotFontRole Font = PlotFontRole::Tick;
    QColor Color = kAxisColor;
    bool Vertical = false;  // read from the bottom up
};

// How a series, or its sample in the legend, is stroked.
struct PlotLine {
    QColor Color;
    double Width = 1.0;
    Qt::PenStyle Style = Qt::SolidLine;
};

// The total resistance is the source's rise over the power, so outside a power sweep the two
// curves have one shape and may lie on each other: its squares and dashes keep it apart. The
// 3-D check's few points are always marked, with shapes of their own.
enum class PlotMarker { Dot, Square, Diamond, Triangle };

struct PlotSeries {
    PlotLine Line;
    PlotMarker Marker = PlotMarker::Dot;
    std::vector<QPolygonF> Runs;   // unbroken stretches between points without a value
    std::vector<QPointF> Markers;  // the points themselves, where they are few enough to show
};

// Points in a row without a result, shaded from half-way to their neighbours.
struct PlotGap {
    QRectF Band;
    std::size_t First = 0;
    std::size_t Last = 0;
};

struct PlotLegendEntry {
    QRectF Sample;
    std::optional<PlotLine> Line;  // a stroke, or without one a box shaded as a gap
};

// The whole plot laid out in layout pixels from the top-left corner: what is drawn, and what
// a cursor is tested against.
struct SweepPlotGeometry {
    QSizeF Size;
    QRectF Area;  // inside the axes
    PlotAxis X;   // a material sweep: the points' indices
    PlotAxis Left;
    PlotAxis Right;  // its ticks fall on the left axis's grid lines
    std::vector<double> GridX;
    std::vector<double> GridY;
    std::vector<PlotSeries> LayerTops;  // drawn first, under the two that matter most
    PlotSeries Source;
    PlotSeries Resistance;
    std::vector<PlotSeries> Exact;  // the 3-D check's average and peak, drawn on top
    std::vector<PlotGap> Gaps;
    std::vector<PlotLegendEntry> Legend;
    std::vector<PlotLabel> Labels;
    std::optional<double> ModelX;  // the model's own value, where it lies on the axis
    std::vector<double> PointX;
};

SweepPlotGeometry ComputeSweepPlot(const SweepPlotInputs& inputs, QSizeF size);

}  // namespace strativex
