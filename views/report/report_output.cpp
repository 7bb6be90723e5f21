#include "views/report/report_output.h"

#include <QDateTime>
#include <QPagedPaintDevice>
#include <QPainter>

#include "views/report/report_details.h"
#include "views/report/report_page.h"
#include "views/stack/data_table.h"
#include "views/stack/scale_view.h"
#include "views/surface/twips.h"

namespace strativex {

QSizeF PageTwips(const QPaintDevice& device) {
    return QSizeF(device.width() * double{kTwipsPerInch} / device.logicalDpiX(),
                  device.height() * double{kTwipsPerInch} / device.logicalDpiY());
}

void DrawReport(DrawingSurface& surface, bool previewMode, const ReportInputs& inputs) {
    DrawScaleView(surface, previewMode, inputs.view);
    DrawDataTable(surface, previewMode, inputs.view);
    PrintPage(surface, inputs);
}

bool PrintReport(QPagedPaintDevice& printer, const ReportInputs& inputs, ReportPages pages) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    DrawingSurface surface(painter, QRectF(0, 0, printer.width(), printer.height()),
                           PageTwips(printer), SurfaceKind::Printer);
    DrawReport(surface, false, inputs);
    if (pages == ReportPages::ReportAndDetails) {
        if (!printer.newPage()) return false;
        DrawDetailsPage(surface, inputs, QDateTime::currentDateTime());
    }
    return painter.end();
}

}  // namespace strativex
