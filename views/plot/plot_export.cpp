#include "views/plot/plot_export.h"

#include <QPainter>
#include <QPdfWriter>

#include "views/plot/plot_painter.h"
#include "views/report/pdf_document.h"

namespace strativex {
namespace {

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
    return DrawnPdf(layout, inputs.title, {}, [&](QPdfWriter& writer) {
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        PaintSweepPlot(painter, QRectF(0, 0, writer.width(), writer.height()),
                       kPdfResolution / kLayoutDpi, inputs);
        return painter.end();
    });
}

QImage CurvePlotsImage(const std::vector<CurvePlotInputs>& plots, QSize size,
                       qreal devicePixelRatio) {
    QImage image(size * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintCurvePlots(painter, QRectF(QPointF(), QSizeF(size)), 1.0, plots);
    return image;
}

QByteArray CurvePlotsPdf(const std::vector<CurvePlotInputs>& plots, const QString& title,
                         const QPageLayout& layout) {
    return DrawnPdf(layout, title, {}, [&](QPdfWriter& writer) {
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        PaintCurvePlots(painter, QRectF(0, 0, writer.width(), writer.height()),
                        kPdfResolution / kLayoutDpi, plots);
        return painter.end();
    });
}

}  // namespace strativex
