#include "views/exact_check/exact_picture_export.h"

#include <QFontMetricsF>
#include <QPainter>

#include "views/exact_check/exact_profile_painter.h"
#include "views/exact_check/exact_section_geometry.h"
#include "views/exact_check/exact_section_painter.h"
#include "views/plot/plot_style.h"

namespace strativex {
namespace {

constexpr double kMapShare = 0.6;
constexpr double kCaptionMargin = 8.0;

}  // namespace

QImage ExactCheckImage(const ExactPictureInputs& inputs, const QString& caption, QSize size,
                       qreal devicePixelRatio) {
    QImage image(size * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    double top = 0.0;
    if (!caption.isEmpty()) {
        const QFont font = PlotFont(PlotFontRole::Title);
        const double height = QFontMetricsF(font).height();
        painter.setFont(font);
        painter.setPen(kAxisColor);
        painter.drawText(
            QRectF(kCaptionMargin, kCaptionMargin, size.width() - 2 * kCaptionMargin, height),
            Qt::AlignLeft | Qt::AlignVCenter, caption);
        top = kCaptionMargin + height;
    }
    const QSizeF planned(size.width(), (size.height() - top) * kMapShare);
    const double mapHeight = planned.height() - ComputeExactSection(inputs, planned).SpareHeight;
    PaintExactSection(painter, QRectF(0.0, top, size.width(), mapHeight), 1.0, inputs);
    PaintExactProfile(painter,
                      QRectF(0.0, top + mapHeight, size.width(), size.height() - top - mapHeight),
                      1.0, inputs);
    return image;
}

}  // namespace strativex
