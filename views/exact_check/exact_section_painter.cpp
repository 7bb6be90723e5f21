#include "views/exact_check/exact_section_painter.h"

#include <QLinearGradient>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

#include "views/exact_check/exact_colour_scale.h"
#include "views/exact_check/exact_section_field.h"
#include "views/plot/plot_painter.h"
#include "views/plot/plot_style.h"

namespace strativex {
namespace {

// A page at printer resolution would ask for an image of tens of millions of pixels; beyond
// this many a side the eye sees no more detail.
constexpr int kMostImageSide = 2000;
constexpr int kGradientStops = 32;
const QColor kOutlineColor{40, 40, 40};
const QColor kIsothermColor{255, 255, 255, 200};
const QColor kSourceMarkColor{0, 0, 0};

QSize ImagePixels(const QPainter& painter, const QRectF& map, double layoutScale) {
    const double ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    double width = map.width() * layoutScale * ratio;
    double height = map.height() * layoutScale * ratio;
    const double shrink = std::max({1.0, width / kMostImageSide, height / kMostImageSide});
    width /= shrink;
    height /= shrink;
    return {std::max(1, static_cast<int>(std::ceil(width))),
            std::max(1, static_cast<int>(std::ceil(height)))};
}

void DrawColourBar(QPainter& painter, const SectionGeometry& g) {
    QLinearGradient gradient(g.Bar.bottomLeft(), g.Bar.topLeft());
    for (int k = 0; k <= kGradientStops; ++k) {
        const double at = static_cast<double>(k) / kGradientStops;
        gradient.setColorAt(at, TemperatureColour(at));
    }
    painter.fillRect(g.Bar, gradient);
    painter.setPen(QPen(kAxisColor, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(g.Bar);
}

void DrawBody(QPainter& painter, const SectionGeometry& g) {
    painter.save();
    painter.setClipRect(g.Map);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(kIsothermColor, 1.0));
    for (const IsothermLines& isotherm : g.Isotherms) {
        for (const QLineF& segment : isotherm.Segments) painter.drawLine(segment);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(kOutlineColor, 1.0));
    painter.setBrush(Qt::NoBrush);
    for (const QRectF& outline : g.Outlines) painter.drawRect(outline);
    painter.restore();
    QPen source(kSourceMarkColor, 3.0);
    source.setCapStyle(Qt::FlatCap);
    painter.setPen(source);
    for (const QLineF& mark : g.Sources) painter.drawLine(mark.translated(0.0, -1.5));
}

}  // namespace

QImage SectionColours(const exact::CrossSection& section, const SectionGeometry& g, QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const SectionField field(section);
    const double low = g.Colours.Low;
    const double span = g.Colours.High - g.Colours.Low;
    for (int row = 0; row < pixels.height(); ++row) {
        const double depth = (row + 0.5) / pixels.height() * g.Depth;
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < pixels.width(); ++column) {
            const double x = g.Left + (column + 0.5) / pixels.width() * (g.Right - g.Left);
            if (const auto t = field.At(x, depth)) {
                line[column] = TemperatureColour((*t - low) / span).rgba();
            }
        }
    }
    return image;
}

SectionGeometry PaintExactSection(QPainter& painter, const QRectF& target, double layoutScale,
                                  const ExactPictureInputs& inputs) {
    const SectionGeometry g = ComputeExactSection(inputs, target.size() / layoutScale);
    const QImage colours =
        SectionColours(inputs.result.Section, g, ImagePixels(painter, g.Map, layoutScale));
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(layoutScale, layoutScale);
    painter.fillRect(QRectF(QPointF(), g.Size), Qt::white);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(g.Map, colours);
    DrawBody(painter, g);
    DrawColourBar(painter, g);
    painter.setPen(QPen(kAxisColor, 1.0));
    for (const QLineF& tick : g.Ticks) painter.drawLine(tick);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const PlotLabel& label : g.Labels) DrawPlotLabel(painter, label);
    painter.restore();
    return g;
}

}  // namespace strativex
