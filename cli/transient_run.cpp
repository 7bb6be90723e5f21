#include "cli/transient_run.h"

#include <filesystem>

#include "cli/usage_text.h"
#include "core/heat_capacity_file.h"
#include "exact/spice_subcircuit.h"
#include "exact/transient_compute.h"
#include "persistence/safe_write.h"

namespace strativex {

std::optional<HeatCapacityTable> LoadTransientHeat(const std::string& path, std::ostream& err) {
    HeatCapacityTable heat = LoadHeatCapacities(path);
    if (!heat.FileProblem.empty()) {
        err << kProgramName << ": " << path << ": " << heat.FileProblem
            << "; the transient needs the heat capacities of the materials\n";
        return std::nullopt;
    }
    for (const HeatCapacityProblem& problem : heat.Problems) {
        err << kProgramName << ": " << path << " line " << problem.Line << ", " << problem.Field
            << ": " << problem.Text << "\n";
    }
    if (!heat.Problems.empty()) return std::nullopt;
    return heat;
}

exact::TransientReport TransientForReport(const Model& model, const MaterialTable& table,
                                          const HeatCapacityTable& heat,
                                          const std::string& heatPath, const CalcOptions& options) {
    return exact::ComputeTransient(model, table, heat, heatPath, options.Base, options.Stages);
}

bool TransientMissesHeat(const exact::TransientReport& report, const std::string& modelPath,
                         std::ostream& err) {
    if (report.MissingHeatCapacity) {
        err << kProgramName << ": " << modelPath << ": " << report.Reason << "\n";
    }
    return report.MissingHeatCapacity;
}

bool WriteTransientSpice(const std::string& path, const exact::TransientReport& report,
                         const std::string& modelPath, std::ostream& err) {
    if (!report.HasNetworks()) {
        err << kProgramName << ": " << path << " not written: " << modelPath
            << " has no networks\n";
        return true;
    }
    const std::string stem = std::filesystem::path(modelPath).stem().string();
    const std::string text =
        exact::FosterSubcircuit(report.Foster.Network, exact::SubcircuitName(stem + "_foster")) +
        exact::CauerSubcircuit(report.Cauer, exact::SubcircuitName(stem + "_cauer"));
    const SafeWriteResult written = SafeWriteFile(path, text);
    if (written.Ok) return true;
    err << kProgramName << ": cannot write '" << path << "'";
    if (!written.SystemError.empty()) err << " (" << written.SystemError << ")";
    err << "\n";
    return false;
}

}  // namespace strativex
