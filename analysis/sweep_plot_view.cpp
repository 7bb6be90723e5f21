#include "analysis/sweep_plot_view.h"

#include <QMouseEvent>
#include <QPainter>

#include "views/plot/plot_painter.h"
#include "views/plot/plot_readout.h"

namespace strativex {
namespace {

const QColor kCursorColor{0, 0, 0, 96};

}  // namespace

SweepPlotView::SweepPlotView(std::function<SweepPlotInputs()> inputs, QWidget* parent)
    : QWidget(parent), inputs_(std::move(inputs)) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize SweepPlotView::sizeHint() const {
    return {640, 420};
}

QSize SweepPlotView::minimumSizeHint() const {
    return {320, 220};
}

void SweepPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    geometry_ = PaintSweepPlot(painter, QRectF(rect()), 1.0, inputs_());
    // A point may be gone since the last paint: a new sweep has fewer.
    if (hovered_ && *hovered_ >= geometry_.PointX.size()) hovered_.reset();
    if (!hovered_) return;
    const double x = geometry_.PointX[*hovered_];
    painter.setPen(QPen(kCursorColor, 1.0));
    painter.drawLine(QPointF(x, geometry_.Area.top()), QPointF(x, geometry_.Area.bottom()));
}

void SweepPlotView::SweepReplaced() {
    Hover(std::nullopt);
    update();
}

void SweepPlotView::mouseMoveEvent(QMouseEvent* event) {
    Hover(PointIndexAt(geometry_, event->position()));
}

void SweepPlotView::leaveEvent(QEvent*) {
    Hover(std::nullopt);
}

void SweepPlotView::Hover(std::optional<std::size_t> point) {
    if (point == hovered_) return;
    hovered_ = point;
    update();
    emit pointHovered(point ? static_cast<int>(*point) : -1);
}

}  // namespace strativex
