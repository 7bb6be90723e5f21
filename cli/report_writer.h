#pragma once

#include <string>

#include "cli/calc_run.h"

namespace strativex {

// The report as the program prints it, rendered without a display. prefsPath: the preferences
// whose user information heads the page; an empty explicit path is never given, and a default
// one that does not exist leaves the built-in preferences.
ReportWriter PdfReportWriter(const CalcOptions& options, const std::string& defaultPrefsPath);

}  // namespace strativex
