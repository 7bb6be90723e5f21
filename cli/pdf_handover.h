#pragma once

#include "cli/calc_run.h"

namespace strativex {

// The program beside the calculator that draws the PDF report; it runs as the calculator does.
inline constexpr const char* kPdfCalculatorName = "strativex-calc-pdf";

// Replaces this process with the PDF calculator of the same folder, run with the same
// arguments. Returns only when that program cannot be started: then with a writer that says so.
ReportWriter HandOverToPdfCalculator(char** argv);

}  // namespace strativex
