#pragma once

#include <QByteArray>
#include <QPageLayout>

#include <string>

#include "persistence/safe_write.h"
#include "views/report_paper.h"
#include "views/view_inputs.h"

namespace strativex {

// The report page, drawn exactly as it prints, and the calculation details after it, as a
// PDF; empty if it cannot be drawn.
QByteArray ReportPdf(const ReportInputs& inputs, const QPageLayout& layout);

// Writes the report PDF through the safe writer, so a failed export leaves an old file intact.
SafeWriteResult ExportReportPdf(const std::string& path, const ReportInputs& inputs,
                                const QPageLayout& layout = DefaultReportPageLayout());

}  // namespace strativex
