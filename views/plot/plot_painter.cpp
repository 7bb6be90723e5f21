#include "views/plot/plot_painter.h"

#include <QPainter>
#include <QPen>

namespace strativex {
namespace {

constexpr double kMarkerRadius = 2.5;

}  // namespace

QPen PlotPen(const PlotLine& line) {
    QPen pen(line.Color, line.Width, line.Style);
    pen.setCapStyle(Qt::FlatCap);
    // Round joins on a thousand short segments cost half of a redraw; at two pixels bevels
    // look the same.
    pen.setJoinStyle(Qt::BevelJoin);
    return pen;
}

void DrawPlotLabel(QPainter& painter, const PlotLabel& label) {
    painter.setFont(PlotFont(label.Font));
    painter.setPen(label.Color);
    if (!label.Vertical) {
        painter.drawText(label.Box, label.Align, label.Text);
        return;
    }
    painter.save();
    painter.translate(label.Box.center());
    painter.rotate(-90.0);
    const QSizeF turned(label.Box.height(), label.Box.width());
    painter.drawText(QRectF(QPointF(-turned.width() / 2.0, -turned.height() / 2.0), turned),
                     label.Align, label.Text);
    painter.restore();
}

void DrawPlotFrame(QPainter& painter, const QRectF& a, const std::vector<double>& gridX,
                   const std::vector<double>& gridY, bool rightTicks) {
    painter.setPen(QPen(kGridColor, 1.0));
    for (const double x : gridX) painter.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
    for (const double y : gridY) painter.drawLine(QPointF(a.left(), y), QPointF(a.right(), y));
    painter.setPen(QPen(kAxisColor, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(a);
    for (const double x : gridX) {
        painter.drawLine(QPointF(x, a.bottom()), QPointF(x, a.bottom() + kPlotTickLength));
    }
    for (const double y : gridY) {
        painter.drawLine(QPointF(a.left() - kPlotTickLength, y), QPointF(a.left(), y));
        if (rightTicks) {
            painter.drawLine(QPointF(a.right(), y), QPointF(a.right() + kPlotTickLength, y));
        }
    }
}

namespace {

// A diamond or a triangle standing on its base, filled, centred on the point.
QPolygonF MarkerShape(PlotMarker marker, QPointF at) {
    const double r = kMarkerRadius + 1.0;
    if (marker == PlotMarker::Diamond) {
        return QPolygonF(
            {at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r), at + QPointF(-r, 0)});
    }
    return QPolygonF({at + QPointF(0, -r), at + QPointF(r, 0.8 * r), at + QPointF(-r, 0.8 * r)});
}

void DrawSeries(QPainter& painter, const PlotSeries& series) {
    painter.setPen(PlotPen(series.Line));
    painter.setBrush(Qt::NoBrush);
    for (const QPolygonF& run : series.Runs) painter.drawPolyline(run);
    if (series.Marker == PlotMarker::Diamond || series.Marker == PlotMarker::Triangle) {
        painter.setPen(QPen(Qt::white, 0.75));
        painter.setBrush(series.Line.Color);
        for (const QPointF& at : series.Markers) {
            painter.drawPolygon(MarkerShape(series.Marker, at));
        }
        return;
    }
    if (series.Marker == PlotMarker::Square) {
        // Hollow, so that a source dot under it still shows.
        painter.setPen(QPen(series.Line.Color, 1.5));
        const QSizeF size(2 * kMarkerRadius + 1, 2 * kMarkerRadius + 1);
        for (const QPointF& at : series.Markers) {
            painter.drawRect(QRectF(at - QPointF(size.width(), size.height()) / 2.0, size));
        }
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(series.Line.Color);
    for (const QPointF& at : series.Markers) painter.drawEllipse(at, kMarkerRadius, kMarkerRadius);
}

}  // namespace

void DrawPlotLegend(QPainter& painter, const std::vector<PlotLegendEntry>& legend) {
    for (const PlotLegendEntry& entry : legend) {
        const QRectF& box = entry.Sample;
        if (!entry.Line) {
            painter.fillRect(box, kGapColor);
            continue;
        }
        painter.setPen(PlotPen(*entry.Line));
        painter.drawLine(QPointF(box.left(), box.center().y()),
                         QPointF(box.right(), box.center().y()));
    }
}

void DrawSweepPlot(QPainter& painter, const SweepPlotGeometry& g) {
    painter.save();
    painter.fillRect(QRectF(QPointF(), g.Size), Qt::white);
    for (const PlotGap& gap : g.Gaps) painter.fillRect(gap.Band, kGapColor);
    DrawPlotFrame(painter, g.Area, g.GridX, g.GridY, true);
    if (g.ModelX) {
        painter.setPen(PlotPen({kModelMarkColor, 1.0, Qt::DotLine}));
        painter.drawLine(QPointF(*g.ModelX, g.Area.top()), QPointF(*g.ModelX, g.Area.bottom()));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(
        g.Area.adjusted(-kMarkerRadius, -kMarkerRadius, kMarkerRadius, kMarkerRadius));
    for (const PlotSeries& series : g.LayerTops) DrawSeries(painter, series);
    DrawSeries(painter, g.Source);
    DrawSeries(painter, g.Resistance);
    for (const PlotSeries& series : g.Exact) DrawSeries(painter, series);
    painter.setClipping(false);
    DrawPlotLegend(painter, g.Legend);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PlotLabel& label : g.Labels) DrawPlotLabel(painter, label);
    painter.restore();
}

SweepPlotGeometry PaintSweepPlot(QPainter& painter, const QRectF& target, double layoutScale,
                                 const SweepPlotInputs& inputs) {
    const SweepPlotGeometry geometry = ComputeSweepPlot(inputs, target.size() / layoutScale);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(layoutScale, layoutScale);
    DrawSweepPlot(painter, geometry);
    painter.restore();
    return geometry;
}

}  // namespace strativex
