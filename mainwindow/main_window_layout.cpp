#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>

#include <algorithm>

#include "mainwindow/main_window.h"
#include "mainwindow/window_layout.h"
#include "views/integer16.h"
#include "views/twips.h"

namespace strativex {
namespace {

// The frame around the client area. Until the window system has framed the window (and where
// it never does) the style's title bar and border stand in for it, so that the margins come
// out alike with and without one.
QSize FrameExtra(const QWidget& window) {
    const QSize framed = window.frameGeometry().size() - window.size();
    if (!framed.isEmpty()) return framed;
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    return {2 * border, style->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * border};
}

// The stored placement counts when most of its title bar lies on a screen.
bool OnAScreen(const QRect& frame) {
    const QRect titleBar(frame.topLeft(), QSize(frame.width(), std::min(frame.height(), 30)));
    const QList<QScreen*> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(), [&titleBar](const QScreen* screen) {
        const QRect seen = screen->availableGeometry().intersected(titleBar);
        return seen.width() * 2 >= titleBar.width() && seen.height() > 0;
    });
}

}  // namespace

// The step's size, or smaller where the desktop's font would not fit the title in its label.
QFont MainWindow::TitleFont(int pointSize) const {
    QFont font = titleLabel_->font();
    const QRect room(0, 0, titleLabel_->width(), titleLabel_->height());
    for (; pointSize > 6; --pointSize) {
        font.setPointSize(pointSize);
        const QRect needed = QFontMetrics(font).boundingRect(
            room, Qt::AlignCenter | Qt::TextWordWrap, titleLabel_->text());
        if (needed.height() <= room.height() && needed.width() <= room.width()) break;
    }
    font.setPointSize(pointSize);
    return font;
}

void MainWindow::ApplyWindowPlacement() {
    const Preferences& prefs = state_.prefs;
    const QSize extra = FrameExtra(*this);
    QRect frame(Px(prefs.MainWindowLeft), Px(prefs.MainWindowTop), Px(prefs.MainWindowWidth),
                Px(prefs.MainWindowHeight));
    if (!OnAScreen(frame)) {
        const Preferences defaults;
        frame.setSize(QSize(Px(defaults.MainWindowWidth), Px(defaults.MainWindowHeight)));
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            frame.moveCenter(screen->availableGeometry().center());
        }
    }
    state_.model.SuspendUpdates = true;
    move(frame.topLeft());
    resize(frame.size() - extra);
    state_.model.SuspendUpdates = false;
    // A window that was minimised when the program ended comes back in its normal state.
    if (prefs.MainWindowState == WindowState::Maximized) setWindowState(Qt::WindowMaximized);
    LayOutControls();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    LayOutControls();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (!state_.model.SuspendUpdates) RecordPlacement();
}

void MainWindow::LayOutControls() {
    if (isMinimized() || state_.model.SuspendUpdates) return;
    const QSize extra = FrameExtra(*this);
    setMinimumSize(QSize(Pixels(kMinimumWindowWidth), Pixels(kMinimumWindowHeight)) - extra);
    RecordPlacement();
    // Controls stand in client coordinates; the outer size counts the frame and the menu bar.
    const QSize outer = size() + extra;
    WindowLayoutInput in;
    in.OuterWidth = Twips(outer.width());
    in.OuterHeight = Twips(outer.height());
    in.TableLeft = Twips(dataTable_->x());
    in.TableTop = Twips(dataTable_->y());
    in.ScaleTop = Twips(scaleView_->y());
    in.LogoWidth = Twips(logo_->width());
    const WindowLayout layout = ComputeWindowLayout(in);
    dataTable_->resize(Px(layout.TableWidth), Px(layout.TableHeight));
    scaleView_->resize(scaleView_->width(), Px(layout.ScaleHeight));
    logo_->move(Px(layout.LogoLeft), logo_->y());
    titleLabel_->resize(Px(layout.TitleWidth), titleLabel_->height());
    titleLabel_->setFont(TitleFont(layout.TitlePointSize));
    Refresh(Change::ScaleView | Change::Table);
}

// The normal-state placement, outer size and position, as the preferences keep it.
void MainWindow::RecordPlacement() {
    if (windowState() != Qt::WindowNoState) return;
    const QSize outer = size() + FrameExtra(*this);
    Preferences& prefs = state_.prefs;
    prefs.MainWindowWidth = RoundToInt16(Twips(outer.width()));
    prefs.MainWindowHeight = RoundToInt16(Twips(outer.height()));
    prefs.MainWindowLeft = RoundToInt16(Twips(x()));
    prefs.MainWindowTop = RoundToInt16(Twips(y()));
}

}  // namespace strativex
