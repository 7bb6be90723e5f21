#include "dialogs/print_preview_dialog.h"

#include <QFrame>
#include <QPainter>
#include <QPushButton>

#include "dialogs/named_widget.h"
#include "dialogs/state_inputs.h"
#include "views/report/report_output.h"
#include "views/surface/drawing_surface.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

constexpr QSize kClientTwips(5535, 6495);
constexpr QRect kPictureTwips(225, 30, 5070, 6060);
constexpr QRect kDoneTwips(2160, 6105, 1215, 360);

QRect PixelRect(const QRect& twips) {
    return QRect(twips.left() / kTwipsPerPixel, twips.top() / kTwipsPerPixel, Pixels(twips.width()),
                 Pixels(twips.height()));
}

// PicPreview: the page drawn in preview mode, its scale set to the page's logical size.
class PreviewPicture : public QFrame {
public:
    PreviewPicture(const AppState& state, const QSizeF& pageTwips, QWidget* parent)
        : QFrame(parent), state_(state), pageTwips_(pageTwips) {
        setObjectName(QStringLiteral("PicPreview"));
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        QPainter painter(this);
        painter.setClipRect(contentsRect());
        DrawingSurface surface(painter, QRectF(contentsRect()), pageTwips_, SurfaceKind::Picture);
        surface.Cls();
        DrawReport(surface, true, ReportInputsOf(state_, StandardLayerPalette()));
    }

private:
    const AppState& state_;
    QSizeF pageTwips_;
};

}  // namespace

PrintPreviewDialog::PrintPreviewDialog(const AppState& state, const QSizeF& pageTwips,
                                       QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FrmPrintPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setFixedSize(Pixels(kClientTwips.width()), Pixels(kClientTwips.height()));
    auto* picture = new PreviewPicture(state, pageTwips, this);
    picture->setGeometry(PixelRect(kPictureTwips));
    auto* done = NamedWidget<QPushButton>(QStringLiteral("CmdDone"), QStringLiteral("Done"), this);
    done->setGeometry(PixelRect(kDoneTwips));
    done->setDefault(true);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace strativex
