#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <string>
#include <string_view>

class QPainter;

namespace strativex {

// A printer page draws with the printer's own line widths and fonts; every other surface is a
// picture (on the screen or in the preview).
enum class SurfaceKind { Picture, Printer };

// The drawing target shared by the screen pictures, the printer page and the preview picture.
// Positions are in the surface's own scale (pixels, or twips over a page or a picture of any
// size), origin top-left, y downwards. Fonts keep their real point size on the device and
// line widths are device pixels (on paper with a floor, see SetDrawWidth), so a page squeezed
// into a small preview keeps readable text and the drawing code needs no knowledge of the
// device.
class DrawingSurface {
public:
    DrawingSurface(QPainter& painter, const QRectF& deviceRect, const QSizeF& scaleSize,
                   SurfaceKind kind);

    bool IsPrinter() const { return kind_ == SurfaceKind::Printer; }
    double ScaleWidth() const { return scaleSize_.width(); }
    double ScaleHeight() const { return scaleSize_.height(); }

    void Cls();

    void SetForeColor(const QColor& color) { foreColor_ = color; }
    void SetFontName(std::string_view name);
    void SetFontSize(double points);
    void SetFontBold(bool bold);
    void SetFontItalic(bool italic);
    void SetFontTransparent(bool transparent) { fontTransparent_ = transparent; }
    // In device pixels; on a printer never thinner than 0.5 pt, so rules stay visible on paper.
    void SetDrawWidth(int width) { drawWidth_ = width; }

    double TextWidth(const QString& text) const;
    double TextHeight() const;

    double CurrentX() const { return current_.x(); }
    double CurrentY() const { return current_.y(); }
    void SetCurrent(double x, double y) { current_ = QPointF(x, y); }

    // Draws the text with its top-left corner at the current point, then moves the current
    // point to the start of the next line.
    void Print(const QString& text);

    void Line(double x1, double y1, double dx, double dy);
    void LineBy(double dx, double dy);
    void LineTo(double x2, double y2);
    void BoxOutline(double x1, double y1, double dx, double dy);
    // Fills from the current point to the far corner, both included, in the fore colour.
    void FilledBoxTo(double x2, double y2);

    // Lets a picture drawn by other code paint the box at (x, y) of size (width, height); it
    // gets the painter and the box in the painter's device coordinates.
    void PaintInto(double x, double y, double width, double height,
                   const std::function<void(QPainter&, const QRectF&)>& paint);

private:
    QPointF ToDevice(QPointF point) const;
    void UpdateFont();
    double PenWidth() const;
    void DrawSegment(QPointF from, QPointF to);

    QPainter& painter_;
    QRectF deviceRect_;
    QSizeF scaleSize_;
    SurfaceKind kind_;
    double deviceUnitsX_ = 1.0;
    double deviceUnitsY_ = 1.0;

    QColor foreColor_ = Qt::black;
    std::string fontName_;
    double fontSize_ = 8.0;
    bool fontBold_ = false;
    bool fontItalic_ = false;
    bool fontTransparent_ = true;
    int drawWidth_ = 1;
    QFont font_;
    QFontMetricsF metrics_;
    QPointF current_;
};

}  // namespace strativex
