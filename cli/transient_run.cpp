#include "cli/transient_run.h"

#include <chrono>
#include <filesystem>

#include "cli/usage_text.h"
#include "core/heat_capacity_file.h"
#include "core/windows1252.h"
#include "exact/cauer_network.h"
#include "exact/input_check.h"
#include "exact/spice_subcircuit.h"
#include "exact/transient_check.h"
#include "persistence/safe_write.h"

namespace strativex {
namespace {

std::string FolderOf(const std::string& path) {
    return std::filesystem::path(path).parent_path().string();
}

TransientReport Unavailable(std::string reason) {
    TransientReport report;
    report.Status = TransientReportStatus::NotAvailable;
    report.Reason = std::move(reason);
    return report;
}

// The layer, the material and the file to add it to, as the user needs them to mend it.
std::optional<std::string> MissingHeatCapacity(const Model& model, const MaterialTable& table,
                                               const HeatCapacityTable& heat,
                                               const std::string& heatPath) {
    for (int i = 1; i <= model.LayerCount; ++i) {
        const int id = model.Layers[i].MaterialId;
        if (VolumetricHeatCapacity(heat, id)) continue;
        const Material& material = table.Materials[FindMaterialIndex(table, id)];
        return "layer " + std::to_string(i) + ": material " + std::to_string(id) + " (" +
               Windows1252ToUtf8(material.Name) + ") has no heat capacity; add its density and " +
               "specific heat to " + heatPath;
    }
    return std::nullopt;
}

// The curve stops within 0.1 % of steady; the fit holds its ΣR to the last sample, which is
// therefore the steady solution itself, a decade after the curve's end.
TransientReport WithNetworks(TransientReport report, std::optional<int> stages) {
    exact::ZthCurve curve{report.Curve.TimeS, report.Curve.ZthPeak};
    if (!curve.Times.empty()) {
        curve.Times.push_back(curve.Times.back() * 10.0);
        curve.Zth.push_back(report.Curve.SteadyZthPeak);
    }
    report.Foster = exact::FitFoster(curve, stages);
    if (!report.Foster.Problem.empty()) {
        report.Status = TransientReportStatus::NoNetwork;
        report.Reason = report.Foster.Problem;
        return report;
    }
    exact::CauerConversion cauer = exact::CauerFromFoster(report.Foster.Network);
    if (!cauer.Problem.empty()) {
        report.Status = TransientReportStatus::NoNetwork;
        report.Reason = cauer.Problem;
        return report;
    }
    report.Cauer = std::move(cauer.Network);
    report.Structure = exact::ComputeStructureFunction(report.Cauer);
    return report;
}

TransientReportStatus StatusOf(exact::TransientStatus status) {
    switch (status) {
        case exact::TransientStatus::Ok:
            return TransientReportStatus::Ok;
        case exact::TransientStatus::NotAvailable:
            return TransientReportStatus::NotAvailable;
        case exact::TransientStatus::Cancelled:
        case exact::TransientStatus::NotConverged:
            break;
    }
    return TransientReportStatus::NotConverged;
}

}  // namespace

std::string TransientHeatPath(const MaterialPaths& paths) {
    const std::string own = HeatCapacityPathIn(FolderOf(paths.Custom));
    const std::string standard = HeatCapacityPathIn(FolderOf(paths.Standard));
    std::error_code error;
    if (!std::filesystem::exists(own, error) && std::filesystem::exists(standard, error)) {
        return standard;
    }
    return own;
}

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

TransientReport TransientForReport(const Model& model, const MaterialTable& table,
                                   const HeatCapacityTable& heat, const std::string& heatPath,
                                   const CalcOptions& options) {
    const auto started = std::chrono::steady_clock::now();
    if (const auto unavailable = exact::FindUnavailability(model, table, options.Base)) {
        return Unavailable(exact::BaseConditionProblem(options.Base)
                               .value_or(exact::UnavailabilityText(*unavailable)));
    }
    if (const auto missing = MissingHeatCapacity(model, table, heat, heatPath)) {
        TransientReport report = Unavailable(*missing);
        report.MissingHeatCapacity = true;
        return report;
    }
    std::vector<double> capacities;
    for (int i = 1; i <= model.LayerCount; ++i) {
        capacities.push_back(*VolumetricHeatCapacity(heat, model.Layers[i].MaterialId));
    }
    exact::TransientOptions solverOptions;
    solverOptions.Steady.Base = options.Base;
    TransientReport report;
    report.Curve = exact::SolveTransient(exact::StackOf(model, table, options.Base), capacities,
                                         solverOptions);
    report.Status = StatusOf(report.Curve.Status);
    report.Reason = report.Curve.Message;
    if (report.Status == TransientReportStatus::Ok) report = WithNetworks(report, options.Stages);
    report.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return report;
}

bool TransientMissesHeat(const TransientReport& report, const std::string& modelPath,
                         std::ostream& err) {
    if (report.MissingHeatCapacity) {
        err << kProgramName << ": " << modelPath << ": " << report.Reason << "\n";
    }
    return report.MissingHeatCapacity;
}

bool WriteTransientSpice(const std::string& path, const TransientReport& report,
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
