#include "mainwindow/color_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace strativex {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::Box);
    setFocusPolicy(Qt::TabFocus);
    setAutoFillBackground(true);
}

void ColorSwatch::SetColor(const QColor& color) {
    QPalette swatch = palette();
    swatch.setColor(QPalette::Window, color);
    setPalette(swatch);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit stepped(1);
    } else if (event->button() == Qt::RightButton) {
        emit stepped(-1);
    }
    event->accept();
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Plus:
        case Qt::Key_Right:
        case Qt::Key_Up:
            emit stepped(1);
            return;
        case Qt::Key_Minus:
        case Qt::Key_Left:
        case Qt::Key_Down:
            emit stepped(-1);
            return;
        default:
            QFrame::keyPressEvent(event);
    }
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (!hasFocus()) return;
    QPainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = contentsRect().adjusted(1, 1, -1, -1);
    focus.backgroundColor = palette().color(QPalette::Window);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
}

}  // namespace strativex
