#include "analysis/transient_plot_view.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

#include "exact/rc_network.h"
#include "views/plot_axis.h"
#include "views/plot_legend.h"
#include "views/plot_painter.h"
#include "views/plot_style.h"

namespace strativex {
namespace {

constexpr double kMargin = 10.0;
constexpr double kLeftRoom = 64.0;
constexpr double kBottomRoom = 44.0;
constexpr double kLegendRoom = 40.0;
constexpr int kMostTimeTicks = 10;
constexpr int kMostZthTicks = 8;
const QColor kFitColor{32, 32, 32};

struct Axes {
    QRectF Area;
    PlotAxis Time;
    PlotAxis Zth;
    QPointF At(double time, double zth) const {
        return {Area.left() + Time.Fraction(time) * Area.width(),
                Area.bottom() - Zth.Fraction(zth) * Area.height()};
    }
};

QPolygonF Line(const Axes& axes, const std::vector<double>& times, const std::vector<double>& zth) {
    QPolygonF line;
    for (std::size_t i = 0; i < times.size(); ++i) line << axes.At(times[i], zth[i]);
    return line;
}

void DrawLine(QPainter& painter, const QPolygonF& line, const PlotLine& style) {
    painter.setPen(PlotPen(style));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(line);
}

void DrawTickLabels(QPainter& painter, const Axes& axes) {
    const QFontMetricsF metrics(PlotFont(PlotFontRole::Tick));
    for (const double tick : axes.Time.Ticks) {
        const QPointF at = axes.At(tick, axes.Zth.Low);
        DrawPlotLabel(
            painter, {QRectF(at.x() - 30.0, at.y() + kPlotTickLength + 2.0, 60.0, metrics.height()),
                      QString::number(tick, 'g', 3)});
    }
    for (const double tick : axes.Zth.Ticks) {
        const QPointF at = axes.At(axes.Time.Low, tick);
        DrawPlotLabel(painter, {QRectF(at.x() - kLeftRoom, at.y() - metrics.height() / 2.0,
                                       kLeftRoom - kPlotTickLength - 4.0, metrics.height()),
                                QString::number(tick, 'g', 4), Qt::AlignRight | Qt::AlignVCenter});
    }
    const QRectF a = axes.Area;
    DrawPlotLabel(painter, {QRectF(a.left(), a.bottom() + 22.0, a.width(), metrics.height()),
                            QObject::tr("Time after the power step (s)")});
    DrawPlotLabel(
        painter, {QRectF(a.left() - kLeftRoom, a.top(), metrics.height(), a.height()),
                  QObject::tr("Zth (K/W)"), Qt::AlignCenter, PlotFontRole::Tick, kAxisColor, true});
}

std::vector<double> GridX(const Axes& axes) {
    std::vector<double> grid;
    for (const double tick : axes.Time.Ticks) grid.push_back(axes.At(tick, axes.Zth.Low).x());
    return grid;
}

std::vector<double> GridY(const Axes& axes) {
    std::vector<double> grid;
    for (const double tick : axes.Zth.Ticks) grid.push_back(axes.At(axes.Time.Low, tick).y());
    return grid;
}

}  // namespace

TransientPlotView::TransientPlotView(std::function<const exact::TransientReport*()> report,
                                     QWidget* parent)
    : QWidget(parent), report_(std::move(report)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize TransientPlotView::sizeHint() const {
    return {640, 400};
}

QSize TransientPlotView::minimumSizeHint() const {
    return {320, 220};
}

void TransientPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintTransientPlot(painter, QRectF(rect()), report_());
}

void PaintTransientPlot(QPainter& painter, const QRectF& target,
                        const exact::TransientReport* report) {
    painter.fillRect(target, Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = target.adjusted(kMargin + kLeftRoom, kMargin + kLegendRoom, -2 * kMargin,
                                        -kMargin - kBottomRoom);
    if (report == nullptr || !report->HasCurve() || report->Curve.TimeS.size() < 2) {
        DrawPlotFrame(painter, area, {}, {}, false);
        return;
    }
    const exact::TransientResult& curve = report->Curve;
    const double highest = std::max(*std::max_element(curve.ZthPeak.begin(), curve.ZthPeak.end()),
                                    curve.SteadyZthPeak);
    Axes axes{area, ExactLogAxis(curve.TimeS.front(), curve.TimeS.back(), kMostTimeTicks),
              RoundedAxis(0.0, highest, kMostZthTicks)};
    DrawPlotFrame(painter, area, GridX(axes), GridY(axes), false);
    DrawTickLabels(painter, axes);

    const PlotLine average{kExactAverageColor, 2.0};
    const PlotLine peak{kSourceColor, 2.0};
    const PlotLine fit{kFitColor, 1.25, Qt::DashLine};
    painter.save();
    painter.setClipRect(area);
    DrawLine(painter, Line(axes, curve.TimeS, curve.ZthAverage), average);
    DrawLine(painter, Line(axes, curve.TimeS, curve.ZthPeak), peak);
    std::vector<PlotLegendItem> items{{QObject::tr("Zth average"), average},
                                      {QObject::tr("Zth peak"), peak}};
    if (report->HasNetworks()) {
        std::vector<double> fitted;
        for (const double time : curve.TimeS) {
            fitted.push_back(exact::FosterZth(report->Foster.Network, time));
        }
        DrawLine(painter, Line(axes, curve.TimeS, fitted), fit);
        items.push_back({QObject::tr("Foster fit to the peak"), fit});
    }
    painter.restore();

    std::vector<PlotLegendEntry> legend;
    std::vector<PlotLabel> labels;
    LayOutPlotLegend(items, area.left(), area.right(), target.top() + kMargin, legend, labels);
    DrawPlotLegend(painter, legend);
    for (const PlotLabel& label : labels) DrawPlotLabel(painter, label);
}

}  // namespace strativex
