#include "views/report/report_paper.h"

#include <QRectF>

namespace strativex {
namespace {

constexpr double kPrinterMarginInches = 0.25;
constexpr double kTwipsPerPoint = 20.0;

}  // namespace

QPageLayout DefaultReportPageLayout(const QLocale& locale) {
    const bool letter = locale.measurementSystem() == QLocale::ImperialUSSystem;
    const QPageSize paper(letter ? QPageSize::Letter : QPageSize::A4);
    const QMarginsF margins(kPrinterMarginInches, kPrinterMarginInches, kPrinterMarginInches,
                            kPrinterMarginInches);
    return QPageLayout(paper, QPageLayout::Portrait, margins, QPageLayout::Inch);
}

QSizeF LayoutPageTwips(const QPageLayout& layout) {
    return layout.paintRect(QPageLayout::Point).size() * kTwipsPerPoint;
}

}  // namespace strativex
