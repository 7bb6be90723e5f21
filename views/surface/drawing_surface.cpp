#include "views/surface/drawing_surface.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "views/surface/view_fonts.h"

namespace strativex {
namespace {

// Device units per scale unit; a surface without extent keeps a neutral scale so that
// measurements stay finite.
double DeviceUnits(double deviceExtent, double scaleExtent) {
    if (!(deviceExtent > 0.0) || !(scaleExtent > 0.0)) return 1.0;
    return deviceExtent / scaleExtent;
}

int DevicePixel(double value) {
    return static_cast<int>(std::floor(value + 0.5));
}

constexpr double kPointsPerInch = 72.0;
// The drawings give line widths in pixels of the printers they were made for; a pixel of a
// 1200-dpi PDF is a 0.06 pt hairline that vanishes on paper.
constexpr double kDesignPrinterDpi = 300.0;
constexpr double kThinnestPaperLinePoints = 0.5;

}  // namespace

DrawingSurface::DrawingSurface(QPainter& painter, const QRectF& deviceRect, const QSizeF& scaleSize,
                               SurfaceKind kind)
    : painter_(painter),
      deviceRect_(deviceRect),
      scaleSize_(scaleSize),
      kind_(kind),
      deviceUnitsX_(DeviceUnits(deviceRect.width(), scaleSize.width())),
      deviceUnitsY_(DeviceUnits(deviceRect.height(), scaleSize.height())),
      fontName_(kSansFontName),
      metrics_(QFont()) {
    // Slab edges and rules sit on whole pixels as the layouts compute them.
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    UpdateFont();
}

void DrawingSurface::Cls() {
    painter_.fillRect(deviceRect_, Qt::white);
    current_ = QPointF();
}

void DrawingSurface::SetFontName(std::string_view name) {
    fontName_ = name;
    UpdateFont();
}

void DrawingSurface::SetFontSize(double points) {
    fontSize_ = points;
    UpdateFont();
}

void DrawingSurface::SetFontBold(bool bold) {
    fontBold_ = bold;
    UpdateFont();
}

void DrawingSurface::SetFontItalic(bool italic) {
    fontItalic_ = italic;
    UpdateFont();
}

void DrawingSurface::UpdateFont() {
    font_ = ViewFont(fontName_, fontSize_, fontBold_, fontItalic_);
    metrics_ = QFontMetricsF(font_, painter_.device());
}

double DrawingSurface::TextWidth(const QString& text) const {
    return metrics_.horizontalAdvance(text) / deviceUnitsX_;
}

double DrawingSurface::TextHeight() const {
    return metrics_.lineSpacing() / deviceUnitsY_;
}

void DrawingSurface::Print(const QString& text) {
    const QPointF topLeft = ToDevice(current_);
    if (!text.isEmpty()) {
        if (!fontTransparent_) {
            painter_.fillRect(
                QRectF(topLeft, QSizeF(metrics_.horizontalAdvance(text), metrics_.lineSpacing())),
                Qt::white);
        }
        painter_.setFont(font_);
        painter_.setPen(foreColor_);
        painter_.drawText(topLeft + QPointF(0.0, metrics_.ascent()), text);
    }
    current_ = QPointF(0.0, current_.y() + TextHeight());
}

void DrawingSurface::Line(double x1, double y1, double dx, double dy) {
    current_ = QPointF(x1, y1);
    LineBy(dx, dy);
}

void DrawingSurface::LineBy(double dx, double dy) {
    LineTo(current_.x() + dx, current_.y() + dy);
}

void DrawingSurface::LineTo(double x2, double y2) {
    const QPointF end(x2, y2);
    DrawSegment(current_, end);
    current_ = end;
}

void DrawingSurface::BoxOutline(double x1, double y1, double dx, double dy) {
    const QPointF corners[] = {{x1, y1}, {x1 + dx, y1}, {x1 + dx, y1 + dy}, {x1, y1 + dy}};
    for (int i = 0; i < 4; ++i) DrawSegment(corners[i], corners[(i + 1) % 4]);
    current_ = corners[2];
}

void DrawingSurface::FilledBoxTo(double x2, double y2) {
    const QPointF from = ToDevice(current_);
    const QPointF to = ToDevice(QPointF(x2, y2));
    const QPoint topLeft(DevicePixel(std::min(from.x(), to.x())),
                         DevicePixel(std::min(from.y(), to.y())));
    const QPoint bottomRight(DevicePixel(std::max(from.x(), to.x())),
                             DevicePixel(std::max(from.y(), to.y())));
    painter_.fillRect(QRect(topLeft, bottomRight), foreColor_);
    current_ = QPointF(x2, y2);
}

void DrawingSurface::PaintInto(double x, double y, double width, double height,
                               const std::function<void(QPainter&, const QRectF&)>& paint) {
    painter_.save();
    paint(painter_, QRectF(ToDevice(QPointF(x, y)), ToDevice(QPointF(x + width, y + height))));
    painter_.restore();
}

QPointF DrawingSurface::ToDevice(QPointF point) const {
    return QPointF(deviceRect_.left() + point.x() * deviceUnitsX_,
                   deviceRect_.top() + point.y() * deviceUnitsY_);
}

double DrawingSurface::PenWidth() const {
    if (!IsPrinter()) return drawWidth_;
    const double points =
        std::max(kThinnestPaperLinePoints, drawWidth_ * kPointsPerInch / kDesignPrinterDpi);
    return std::max<double>(drawWidth_, points * painter_.device()->logicalDpiX() / kPointsPerInch);
}

void DrawingSurface::DrawSegment(QPointF from, QPointF to) {
    const QPointF start = ToDevice(from);
    const QPointF end = ToDevice(to);
    QPen pen(foreColor_, PenWidth());
    pen.setCapStyle(drawWidth_ > 1 ? Qt::RoundCap : Qt::SquareCap);
    painter_.setPen(pen);
    painter_.drawLine(QPoint(DevicePixel(start.x()), DevicePixel(start.y())),
                      QPoint(DevicePixel(end.x()), DevicePixel(end.y())));
}

}  // namespace strativex
