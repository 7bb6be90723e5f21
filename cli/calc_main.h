#pragma once

#include <functional>
#include <string>
#include <vector>

#include "cli/calc_options.h"
#include "cli/calc_run.h"

namespace strativex {

// Makes the writer of the PDF report a run asks for.
using ReportWriterMaker = std::function<ReportWriter(const CalcOptions& options)>;

// The calculator from its arguments (without the program's name) to its exit status: the
// usage, the user's files found from the program's folder, the results on standard output and
// the problems on standard error. makeWriter is asked for a writer only when a report is asked
// for, before anything is read or printed.
int CalcMain(const std::vector<std::string>& args, const std::string& argv0,
             const ReportWriterMaker& makeWriter);

}  // namespace strativex
