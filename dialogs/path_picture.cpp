#include "dialogs/path_picture.h"

#include <QFontMetrics>
#include <QPainter>

#include "persistence/paths.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

constexpr int kTextTopTwips = 50;

}  // namespace

PathPicture::PathPicture(QWidget* parent) : QWidget(parent) {}

void PathPicture::ShowPath(const QString& path) {
    path_ = path;
    update();
}

QString PathPicture::DisplayedText() const {
    const QFontMetrics metrics(font());
    const auto width = [&metrics](const std::string& text) {
        return static_cast<double>(metrics.horizontalAdvance(QString::fromStdString(text)));
    };
    return QString::fromStdString(ShortenPath(path_.toStdString(), width, this->width()));
}

void PathPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const int top = Pixels(kTextTopTwips);
    painter.drawText(QRect(0, top, width(), height() - top), Qt::AlignLeft | Qt::AlignTop,
                     DisplayedText());
}

}  // namespace strativex
