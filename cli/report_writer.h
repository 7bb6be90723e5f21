#pragma once

#include <string>

#include "cli/calc_run.h"

namespace strativex {

// The report as the program prints it, rendered without a display, headed and formatted by the
// user's preferences.
ReportWriter PdfReportWriter(const CalcOptions& options);

}  // namespace strativex
