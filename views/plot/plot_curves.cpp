#include "views/plot/plot_curves.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "views/plot/plot_legend.h"
#include "views/plot/plot_painter.h"

namespace strativex {
namespace {

constexpr double kMargin = 10.0;
constexpr double kLeftRoom = 64.0;
constexpr double kBottomRoom = 40.0;
constexpr int kMostXTicks = 10;
constexpr int kMostYTicks = 8;
constexpr int kColumns = 2;

struct Axes {
    QRectF Area;
    PlotAxis X;
    PlotAxis Y;
    QPointF At(double x, double y) const {
        return {Area.left() + X.Fraction(x) * Area.width(),
                Area.bottom() - Y.Fraction(y) * Area.height()};
    }
};

bool Shown(double value, AxisScale scale) {
    return std::isfinite(value) && (scale == AxisScale::Linear || value > 0.0);
}

struct Range {
    double Low = std::numeric_limits<double>::infinity();
    double High = -std::numeric_limits<double>::infinity();
    bool Empty() const { return Low > High; }
};

Range RangeOf(const CurvePlotInputs& inputs, bool x) {
    Range range;
    for (const CurvePlotSeries& series : inputs.Series) {
        for (std::size_t i = 0; i < std::min(series.X.size(), series.Y.size()); ++i) {
            if (!Shown(series.X[i], inputs.XScale) || !Shown(series.Y[i], inputs.YScale)) continue;
            const double value = x ? series.X[i] : series.Y[i];
            range.Low = std::min(range.Low, value);
            range.High = std::max(range.High, value);
        }
    }
    return range;
}

// The x axis keeps the samples' ends; the y axis is rounded out to whole ticks or decades.
PlotAxis AxisOf(const Range& range, AxisScale scale, bool x) {
    if (scale == AxisScale::Logarithmic) {
        return x ? ExactLogAxis(range.Low, range.High, kMostXTicks)
                 : RoundedLogAxis(range.Low, range.High, kMostYTicks);
    }
    if (x) return ExactAxis(range.Low, range.High, kMostXTicks);
    return RoundedAxis(std::min(0.0, range.Low), range.High, kMostYTicks);
}

// Unbroken stretches of the samples that the axes can show.
std::vector<QPolygonF> Runs(const Axes& axes, const CurvePlotSeries& series) {
    std::vector<QPolygonF> runs(1);
    for (std::size_t i = 0; i < std::min(series.X.size(), series.Y.size()); ++i) {
        if (!Shown(series.X[i], axes.X.Scale) || !Shown(series.Y[i], axes.Y.Scale)) {
            if (!runs.back().isEmpty()) runs.emplace_back();
            continue;
        }
        runs.back() << axes.At(series.X[i], series.Y[i]);
    }
    return runs;
}

QString TickText(double value) {
    return QString::number(value, 'g', 4);
}

void DrawTicks(QPainter& painter, const Axes& axes, const CurvePlotInputs& inputs) {
    const QFontMetricsF metrics(PlotFont(PlotFontRole::Tick));
    const QRectF a = axes.Area;
    for (const double tick : axes.X.Ticks) {
        const double x = axes.At(tick, axes.Y.Low).x();
        DrawPlotLabel(painter,
                      {QRectF(x - 30.0, a.bottom() + kPlotTickLength + 2.0, 60.0, metrics.height()),
                       TickText(tick)});
    }
    for (const double tick : axes.Y.Ticks) {
        const double y = axes.At(axes.X.Low, tick).y();
        DrawPlotLabel(painter, {QRectF(a.left() - kLeftRoom, y - metrics.height() / 2.0,
                                       kLeftRoom - kPlotTickLength - 4.0, metrics.height()),
                                TickText(tick), Qt::AlignRight | Qt::AlignVCenter});
    }
    DrawPlotLabel(
        painter, {QRectF(a.left(), a.bottom() + 20.0, a.width(), metrics.height()), inputs.XTitle});
    DrawPlotLabel(painter, {QRectF(a.left() - kLeftRoom, a.top(), metrics.height(), a.height()),
                            inputs.YTitle, Qt::AlignCenter, PlotFontRole::Tick, kAxisColor, true});
}

std::vector<PlotLegendItem> LegendItems(const CurvePlotInputs& inputs) {
    std::vector<PlotLegendItem> items;
    for (const CurvePlotSeries& series : inputs.Series) {
        if (!series.Name.isEmpty()) items.push_back({series.Name, series.Line});
    }
    return items;
}

// The title and the legend above the area; the bottom of what they take comes back.
double DrawHeader(QPainter& painter, const CurvePlotInputs& inputs, const QRectF& area,
                  double top) {
    if (!inputs.Title.isEmpty()) {
        const QFontMetricsF metrics(PlotFont(PlotFontRole::Title));
        DrawPlotLabel(painter,
                      {QRectF(area.left(), top, area.width(), metrics.height()), inputs.Title,
                       Qt::AlignLeft | Qt::AlignVCenter, PlotFontRole::Title});
        top += metrics.height() + 2.0;
    }
    std::vector<PlotLegendEntry> legend;
    std::vector<PlotLabel> labels;
    const double bottom =
        LayOutPlotLegend(LegendItems(inputs), area.left(), area.right(), top, legend, labels);
    DrawPlotLegend(painter, legend);
    for (const PlotLabel& label : labels) DrawPlotLabel(painter, label);
    return bottom;
}

// The legend takes what room it needs: it is laid out once to learn its height.
double HeaderHeight(const CurvePlotInputs& inputs, double left, double right) {
    double height = 0.0;
    if (!inputs.Title.isEmpty())
        height += QFontMetricsF(PlotFont(PlotFontRole::Title)).height() + 2;
    std::vector<PlotLegendEntry> legend;
    std::vector<PlotLabel> labels;
    return height + LayOutPlotLegend(LegendItems(inputs), left, right, 0.0, legend, labels);
}

void DrawLaidOut(QPainter& painter, const QSizeF& size, const CurvePlotInputs& inputs) {
    painter.fillRect(QRectF(QPointF(), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const double left = kMargin + kLeftRoom;
    const double right = size.width() - 2 * kMargin;
    const double header = HeaderHeight(inputs, left, right);
    const QRectF area(QPointF(left, kMargin + header + kMargin),
                      QPointF(right, size.height() - kMargin - kBottomRoom));
    if (area.width() <= 0.0 || area.height() <= 0.0) return;
    DrawHeader(painter, inputs, area, kMargin);
    const Range xs = RangeOf(inputs, true);
    const Range ys = RangeOf(inputs, false);
    if (xs.Empty()) {
        DrawPlotFrame(painter, area, {}, {}, false);
        DrawPlotLabel(painter, {area, inputs.Empty, Qt::AlignCenter | Qt::TextWordWrap});
        return;
    }
    const Axes axes{area, AxisOf(xs, inputs.XScale, true), AxisOf(ys, inputs.YScale, false)};
    std::vector<double> gridX;
    std::vector<double> gridY;
    for (const double tick : axes.X.Ticks) gridX.push_back(axes.At(tick, axes.Y.Low).x());
    for (const double tick : axes.Y.Ticks) gridY.push_back(axes.At(axes.X.Low, tick).y());
    DrawPlotFrame(painter, area, gridX, gridY, false);
    DrawTicks(painter, axes, inputs);
    painter.save();
    painter.setClipRect(area.adjusted(-1, -1, 1, 1));
    painter.setBrush(Qt::NoBrush);
    for (const CurvePlotSeries& series : inputs.Series) {
        painter.setPen(PlotPen(series.Line));
        for (const QPolygonF& run : Runs(axes, series)) painter.drawPolyline(run);
    }
    painter.restore();
}

}  // namespace

void PaintCurvePlot(QPainter& painter, const QRectF& target, double layoutScale,
                    const CurvePlotInputs& inputs) {
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(layoutScale, layoutScale);
    DrawLaidOut(painter, target.size() / layoutScale, inputs);
    painter.restore();
}

void PaintCurvePlots(QPainter& painter, const QRectF& target, double layoutScale,
                     const std::vector<CurvePlotInputs>& plots) {
    if (plots.empty()) return;
    const int columns = std::min<int>(kColumns, static_cast<int>(plots.size()));
    const int rows = (static_cast<int>(plots.size()) + columns - 1) / columns;
    const QSizeF cell(target.width() / columns, target.height() / rows);
    painter.fillRect(target, Qt::white);
    for (std::size_t i = 0; i < plots.size(); ++i) {
        const int row = static_cast<int>(i) / columns;
        const int column = static_cast<int>(i) % columns;
        const QPointF corner(target.left() + column * cell.width(),
                             target.top() + row * cell.height());
        PaintCurvePlot(painter, QRectF(corner, cell), layoutScale, plots[i]);
    }
}

}  // namespace strativex
