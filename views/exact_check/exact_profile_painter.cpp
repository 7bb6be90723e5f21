#include "views/exact_check/exact_profile_painter.h"

#include <QPainter>

#include "views/plot/plot_painter.h"

namespace strativex {
namespace {

void DrawLines(QPainter& painter, const ProfileGeometry& g) {
    const QRectF& a = g.Area;
    painter.save();
    painter.setClipRect(a);
    painter.setPen(PlotPen(g.EdgeLine));
    for (const double x : g.SourceEdgesX) {
        painter.drawLine(QPointF(x, a.top()), QPointF(x, a.bottom()));
    }
    for (const ProfileLevel& level : g.Levels) {
        painter.setPen(PlotPen(level.Line));
        painter.drawLine(QPointF(a.left(), level.Y), QPointF(a.right(), level.Y));
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const ProfileCurve* curve : {&g.AcrossLength, &g.AcrossWidth}) {
        painter.setPen(PlotPen(curve->Line));
        painter.drawPolyline(curve->Points);
    }
    painter.restore();
}

}  // namespace

ProfileGeometry PaintExactProfile(QPainter& painter, const QRectF& target, double layoutScale,
                                  const ExactPictureInputs& inputs) {
    const ProfileGeometry g = ComputeExactProfile(inputs, target.size() / layoutScale);
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(layoutScale, layoutScale);
    painter.fillRect(QRectF(QPointF(), g.Size), Qt::white);
    DrawPlotFrame(painter, g.Area, g.GridX, g.GridY, false);
    DrawLines(painter, g);
    DrawPlotLegend(painter, g.Legend);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PlotLabel& label : g.Labels) DrawPlotLabel(painter, label);
    painter.restore();
    return g;
}

}  // namespace strativex
