#include "tools/helppictures/view_pictures.h"

#include <QPainter>

#include "views/report/report_output.h"
#include "views/report/report_paper.h"
#include "views/stack/scale_view.h"
#include "views/surface/drawing_surface.h"
#include "views/surface/twips.h"

namespace strativex::helppictures {
namespace {

constexpr double kInchesPerMetre = 1.0 / 0.0254;
// The scale view as large as on a wide main window, at twice the screen's 96 dpi.
constexpr QSize kScaleViewPixels(1200, 440);
constexpr int kScaleViewDpi = 192;
// The page at this resolution, shown half as large as the paper.
constexpr int kPageDpi = 150;
constexpr double kPageShownShare = 0.5;

QImage WhiteImage(QSize size, double dpi) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi * kInchesPerMetre));
    image.setDotsPerMeterY(qRound(dpi * kInchesPerMetre));
    return image;
}

}  // namespace

QImage ScaleViewPicture(const ViewInputs& inputs) {
    QImage image = WhiteImage(kScaleViewPixels, kScaleViewDpi);
    QPainter painter(&image);
    DrawingSurface surface(painter, QRectF(image.rect()), QSizeF(kScaleViewPixels) / 2.0,
                           SurfaceKind::Picture);
    DrawScaleView(surface, false, inputs);
    return image;
}

QImage ReportPagePicture(const ReportInputs& inputs) {
    const QSizeF twips =
        LayoutPageTwips(DefaultReportPageLayout(QLocale(QLocale::English, QLocale::UnitedKingdom)));
    const QSize pixels = (twips / double{kTwipsPerInch} * kPageDpi).toSize();
    // Drawn at the page's resolution, then labelled with the one that halves its size.
    QImage image = WhiteImage(pixels, kPageDpi);
    {
        QPainter painter(&image);
        DrawingSurface surface(painter, QRectF(image.rect()), twips, SurfaceKind::Printer);
        DrawReport(surface, false, inputs);
    }
    image.setDotsPerMeterX(qRound(kPageDpi / kPageShownShare * kInchesPerMetre));
    image.setDotsPerMeterY(qRound(kPageDpi / kPageShownShare * kInchesPerMetre));
    return image;
}

}  // namespace strativex::helppictures
