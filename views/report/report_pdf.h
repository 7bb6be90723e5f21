#pragma once

#include <QByteArray>
#include <QPageLayout>

#include "views/report/report_paper.h"
#include "views/stack/view_inputs.h"

namespace strativex {

// The report page, drawn exactly as it prints, and the calculation details after it, as a
// PDF; empty if it cannot be drawn. Whoever exports it writes it through the safe writer, so
// that a failed export leaves an old file intact.
QByteArray ReportPdf(const ReportInputs& inputs,
                     const QPageLayout& layout = DefaultReportPageLayout());

}  // namespace strativex
