#include "mainwindow/view_boxes.h"

#include <QMouseEvent>
#include <QPainter>

#include "dialogs/state_inputs.h"
#include "views/stack/data_table.h"
#include "views/stack/data_table_geometry.h"
#include "views/stack/layer_strip.h"
#include "views/stack/layer_strip_geometry.h"
#include "views/stack/scale_view.h"
#include "views/surface/drawing_surface.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

// The picture inside the box's border, in the units its view draws in.
DrawingSurface PictureSurface(QPainter& painter, const QRect& contents, int unitsPerPixel) {
    painter.setClipRect(contents);
    return DrawingSurface(
        painter, QRectF(contents),
        QSizeF(contents.width() * unitsPerPixel, contents.height() * unitsPerPixel),
        SurfaceKind::Picture);
}

QPoint PicturePoint(const QMouseEvent* event, const QRect& contents) {
    return event->position().toPoint() - contents.topLeft();
}

}  // namespace

ViewBox::ViewBox(const AppState& state, const QString& name, QWidget* parent)
    : QFrame(parent), state_(state) {
    setObjectName(name);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);
}

ScaleViewBox::ScaleViewBox(const AppState& state, QWidget* parent)
    : ViewBox(state, QStringLiteral("PicScaleView"), parent) {}

void ScaleViewBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    DrawingSurface surface = PictureSurface(painter, contentsRect(), 1);
    if (auto limits = DrawScaleView(surface, false, ViewInputsOf(state(), layerPalette()))) {
        limits_ = *limits;
    }
}

void ScaleViewBox::mousePressEvent(QMouseEvent* event) {
    const QPoint at = PicturePoint(event, contentsRect());
    const auto record = ScaleViewRecordAt(limits_, state().model.LayerCount, contentsRect().width(),
                                          at.x(), at.y());
    if (record) emit recordClicked(*record);
}

DataTableBox::DataTableBox(const AppState& state, QWidget* parent)
    : ViewBox(state, QStringLiteral("PicDisplayData"), parent) {}

void DataTableBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    DrawingSurface surface = PictureSurface(painter, contentsRect(), kTwipsPerPixel);
    if (auto limits = DrawDataTable(surface, false, ViewInputsOf(state(), layerPalette()))) {
        rowBottomY_ = *limits;
    }
}

void DataTableBox::mousePressEvent(QMouseEvent* event) {
    const QPoint at = PicturePoint(event, contentsRect());
    const auto record = DataTableRecordAt(rowBottomY_, state().model.LayerCount, Twips(at.y()));
    if (record) emit recordClicked(*record);
}

LayerStripBox::LayerStripBox(const AppState& state, QWidget* parent)
    : ViewBox(state, QStringLiteral("PicLayerSelect"), parent) {}

void LayerStripBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    DrawingSurface surface = PictureSurface(painter, contentsRect(), 1);
    if (auto geometry = DrawLayerStrip(surface, ViewInputsOf(state(), layerPalette()))) {
        stripBottomY_ = geometry->StripBottomY;
    }
}

void LayerStripBox::mousePressEvent(QMouseEvent* event) {
    const QPoint at = PicturePoint(event, contentsRect());
    const auto record = LayerStripRecordAt(stripBottomY_, state().model.LayerCount, at.x(), at.y());
    if (record) emit recordClicked(*record);
}

}  // namespace strativex
