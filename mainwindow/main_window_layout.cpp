#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <utility>

#include "mainwindow/main_window.h"
#include "mainwindow/window_layout.h"
#include "views/surface/integer16.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

// A frame of the style's title bar and border, for as long as the window system has not framed
// the window (and where it never does).
QMargins EstimatedFrame(const QWidget& window) {
    const QStyle* style = window.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    return {border, style->pixelMetric(QStyle::PM_TitleBarHeight) + border, border, border};
}

// The frame around the client area: the real one once the window system has drawn it, the
// estimate before (and where none is ever drawn), so that the margins come out alike.
QSize FrameExtra(const QWidget& window) {
    const QSize framed = window.frameGeometry().size() - window.size();
    if (!framed.isEmpty()) return framed;
    const QMargins frame = EstimatedFrame(window);
    return {frame.left() + frame.right(), frame.top() + frame.bottom()};
}

// A window system that places a new window off the requested place by more than this has not
// shifted it for its frame: the user has moved it.
constexpr int kLargestSystemShift = 64;

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
    QRect frame(Px(prefs.MainWindowLeft), Px(prefs.MainWindowTop), Px(prefs.MainWindowWidth),
                Px(prefs.MainWindowHeight));
    if (!OnAScreen(frame)) {
        const Preferences defaults;
        frame.setSize(QSize(Px(defaults.MainWindowWidth), Px(defaults.MainWindowHeight)));
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            frame.moveCenter(screen->availableGeometry().center());
        }
    }
    // The stored placement is the outer rectangle, converted to and from the client area with
    // one estimate of the frame. Window managers differ in where they then put the window; that
    // shift is measured once it is shown and kept out of the placement, so that a window that
    // is not moved stays put from one run to the next.
    const QRect client = frame.marginsRemoved(EstimatedFrame(*this));
    placing_ = true;
    setGeometry(client);
    placing_ = false;
    requestedPlace_ = client.topLeft();
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
    if (requestedPlace_ && isVisible()) {
        systemShift_ = geometry().topLeft() - *std::exchange(requestedPlace_, std::nullopt);
        if (systemShift_.manhattanLength() > kLargestSystemShift) systemShift_ = {};
    }
    if (!placing_) RecordPlacement();
}

void MainWindow::LayOutControls() {
    if (isMinimized() || placing_) return;
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
    RedrawViews();
}

// The normal-state placement, outer size and position, as the preferences keep it.
void MainWindow::RecordPlacement() {
    if (windowState() != Qt::WindowNoState) return;
    const QRect outer = geometry().translated(-systemShift_).marginsAdded(EstimatedFrame(*this));
    Preferences& prefs = state_.prefs;
    prefs.MainWindowWidth = RoundToInt16(Twips(outer.width()));
    prefs.MainWindowHeight = RoundToInt16(Twips(outer.height()));
    prefs.MainWindowLeft = RoundToInt16(Twips(outer.x()));
    prefs.MainWindowTop = RoundToInt16(Twips(outer.y()));
}

}  // namespace strativex
