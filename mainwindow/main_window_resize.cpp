#include <QLabel>

#include <algorithm>
#include <limits>

#include "mainwindow/main_window.h"
#include "views/integer16.h"
#include "views/twips.h"

namespace strativex {
namespace {

constexpr int kMinimumWidth = 9550;
constexpr int kMinimumHeight = 6900;
constexpr int kRightMargin = 250;
constexpr int kBottomMargin = 800;

struct TitleStep {
    int FromWidth;
    int LabelWidth;
    int PointSize;
};
constexpr std::array<TitleStep, 4> kTitleSteps{{
    {12200, 4500, 18},
    {11400, 3500, 16},
    {10300, 2500, 12},
    {0, 2000, 10},
}};

}  // namespace

// The step's size, or smaller where the desktop's font would not fit the title in its label.
QFont MainWindow::TitleFont(int pointSize) const {
    QFont font = LabelTitle->font();
    const QRect room(0, 0, LabelTitle->width(), LabelTitle->height());
    for (; pointSize > 6; --pointSize) {
        font.setPointSize(pointSize);
        const QRect needed = QFontMetrics(font).boundingRect(
            room, Qt::AlignCenter | Qt::TextWordWrap, LabelTitle->text());
        if (needed.height() <= room.height() && needed.width() <= room.width()) break;
    }
    font.setPointSize(pointSize);
    return font;
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayOutControls();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (!state_.model.SuspendUpdates && windowState() == Qt::WindowNoState) RecordPlacement();
}

void MainWindow::LayOutControls() {
    if (isMinimized() || state_.model.SuspendUpdates) return;
    if (windowState() == Qt::WindowNoState) {
        if (width() < Px(kMinimumWidth) || height() < Px(kMinimumHeight)) {
            resize(std::max(width(), Px(kMinimumWidth)), std::max(height(), Px(kMinimumHeight)));
            return;
        }
        RecordPlacement();
    }
    const int w = Twips(width());
    const int h = Twips(height());
    const QRect table = PicDisplayData->geometry();
    PicDisplayData->resize(Px(w - Twips(table.left()) - kRightMargin),
                           Px(h - Twips(table.top()) - kBottomMargin));
    const QRect scale = PicScaleView->geometry();
    PicScaleView->resize(scale.width(), Px(h - Twips(scale.top()) - kBottomMargin));
    PicLogo->move(Px(w - Twips(PicLogo->width()) - kRightMargin), PicLogo->y());
    const auto step = std::find_if(kTitleSteps.begin(), kTitleSteps.end(),
                                   [w](const TitleStep& s) { return w >= s.FromWidth; });
    LabelTitle->resize(Px(step->LabelWidth), LabelTitle->height());
    LabelTitle->setFont(TitleFont(step->PointSize));
    RedrawScaleView();
    RedrawDataTable();
}

void MainWindow::RecordPlacement() {
    if (windowState() != Qt::WindowNoState) return;
    Preferences& prefs = state_.prefs;
    prefs.MainWindowWidth = RoundToInt16(Twips(width()));
    prefs.MainWindowHeight = RoundToInt16(Twips(height()));
    prefs.MainWindowLeft = RoundToInt16(Twips(x()));
    prefs.MainWindowTop = RoundToInt16(Twips(y()));
}

}  // namespace strativex
