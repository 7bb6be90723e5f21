#include "views/plot_export.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "views/plot_painter.h"

namespace strativex {
namespace {

constexpr int kPdfResolution = 1200;
constexpr double kLayoutDpi = 96.0;

}  // namespace

QImage SweepPlotImage(const SweepPlotInputs& inputs, QSize size, qreal devicePixelRatio) {
    QImage image(size * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintSweepPlot(painter, QRectF(QPointF(), QSizeF(size)), 1.0, inputs);
    return image;
}

QByteArray SweepPlotPdf(const SweepPlotInputs& inputs, const QPageLayout& layout) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(layout);
        writer.setTitle(inputs.title);
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        PaintSweepPlot(painter, QRectF(0, 0, writer.width(), writer.height()),
                       kPdfResolution / kLayoutDpi, inputs);
        if (!painter.end()) return {};
    }
    return buffer.data();
}

}  // namespace strativex
