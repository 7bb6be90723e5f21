#pragma once

#include <QSizeF>

#include "views/stack/view_inputs.h"
#include "views/surface/drawing_surface.h"

class QPagedPaintDevice;
class QPaintDevice;

namespace strativex {

// The printable area of a device in twips: the logical size of its page.
QSizeF PageTwips(const QPaintDevice& device);

// The whole report in the order it is printed: scale view, results table, page frame.
void DrawReport(DrawingSurface& surface, bool previewMode, const ReportInputs& inputs);

// The report page alone, as printed; or followed by the calculation details, as exported.
enum class ReportPages { Report, ReportAndDetails };

// Draws the report on a printer (or any paged device) and ends the document. False when the
// device cannot be painted on or refuses a page.
bool PrintReport(QPagedPaintDevice& printer, const ReportInputs& inputs,
                 ReportPages pages = ReportPages::Report);

}  // namespace strativex
