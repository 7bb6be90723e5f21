#include "platform/window_placement.h"

#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QWidget>

#include <algorithm>

namespace strativex {
namespace {

// The frame the window system adds: the real one once drawn, the style's estimate before.
QMargins FrameOf(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    if (window.isVisible() && outer != inner) {
        return {inner.left() - outer.left(), inner.top() - outer.top(),
                outer.right() - inner.right(), outer.bottom() - inner.bottom()};
    }
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    return {border, style->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
}

int Inside(int start, int length, int low, int roomLength) {
    return std::clamp(start, low, low + std::max(0, roomLength - length));
}

}  // namespace

void PlaceOnScreenOf(QWidget& window, const QWidget& owner) {
    const QScreen* screen = owner.screen();
    if (screen == nullptr) return;
    const QRect room = screen->availableGeometry();
    const QMargins frame = FrameOf(window);
    const QSize framing(frame.left() + frame.right(), frame.top() + frame.bottom());
    const QSize client = window.size().boundedTo(room.size() - framing);
    window.resize(client.expandedTo(window.minimumSize()));
    QRect outer(window.frameGeometry().topLeft(), window.size() + framing);
    const bool onOwnerScreen = window.isVisible() && window.screen() == screen;
    if (!onOwnerScreen) outer.moveCenter(owner.frameGeometry().center());
    outer.moveTopLeft({Inside(outer.left(), outer.width(), room.left(), room.width()),
                       Inside(outer.top(), outer.height(), room.top(), room.height())});
    window.move(outer.topLeft());
}

void CloseOnEscape(QWidget& window) {
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
}

}  // namespace strativex
