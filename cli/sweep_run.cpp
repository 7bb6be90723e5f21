#include "cli/sweep_run.h"

#include <algorithm>

#include "cli/exit_status.h"
#include "cli/sweep_report.h"
#include "cli/usage_text.h"
#include "core/sweep_check.h"

namespace strativex {
namespace {

std::string Report(OutputFormat format, const LoadedModel& model, const SweepResult& sweep,
                   const MaterialTable& table) {
    switch (format) {
        case OutputFormat::Json:
            return SweepJsonReport(model, sweep, table);
        case OutputFormat::Csv:
            return SweepCsvReport(sweep, table);
        case OutputFormat::Table:
            break;
    }
    return SweepTableReport(model, sweep, table);
}

}  // namespace

int PrintSweep(const LoadedModel& model, const MaterialTable& table, const SweepRequest& request,
               OutputFormat format, std::ostream& out, std::ostream& err) {
    const auto sweep = RunSweep(model.Data, table, request, LayersWithoutMaterial::WithoutResult);
    if (!sweep) {
        err << kProgramName << ": " << model.Path << ": "
            << SweepModelError(model.Data, table, request).value_or("") << "\n";
        return kExitUsage;
    }
    out << Report(format, model, *sweep, table);
    const bool complete = std::all_of(sweep->Points.begin(), sweep->Points.end(),
                                      [](const SweepPoint& point) { return point.HasResult(); });
    return complete ? kExitOk : kExitNoResult;
}

}  // namespace strativex
