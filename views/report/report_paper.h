#pragma once

#include <QLocale>
#include <QPageLayout>
#include <QSizeF>

namespace strativex {

// Letter where the locale's paper is Letter (US measures), A4 everywhere else; a quarter-inch
// margin all round, as most printers leave.
QPageLayout DefaultReportPageLayout(const QLocale& locale = QLocale::system());

// The printable area of a page layout in twips: the logical size of its page.
QSizeF LayoutPageTwips(const QPageLayout& layout);

}  // namespace strativex
