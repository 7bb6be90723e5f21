#include "analysis/transient_plot_view.h"

#include <QPainter>

namespace strativex {

TransientPlotView::TransientPlotView(std::function<CurvePlotInputs()> inputs, QWidget* parent)
    : QWidget(parent), inputs_(std::move(inputs)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize TransientPlotView::sizeHint() const {
    return {480, 300};
}

QSize TransientPlotView::minimumSizeHint() const {
    return {280, 180};
}

void TransientPlotView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintCurvePlot(painter, QRectF(rect()), 1.0, inputs_());
}

}  // namespace strativex
