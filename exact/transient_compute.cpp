#include "exact/transient_compute.h"

#include <chrono>
#include <filesystem>

#include "core/heat_capacity_file.h"
#include "core/windows1252.h"
#include "exact/cauer_network.h"
#include "exact/input_check.h"
#include "exact/transient_check.h"

namespace strativex::exact {
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
    ZthCurve curve{report.Curve.TimeS, report.Curve.ZthPeak};
    if (!curve.Times.empty()) {
        curve.Times.push_back(curve.Times.back() * 10.0);
        curve.Zth.push_back(report.Curve.SteadyZthPeak);
    }
    report.Foster = FitFoster(curve, stages);
    if (!report.Foster.Problem.empty()) {
        report.Status = TransientReportStatus::NoNetwork;
        report.Reason = report.Foster.Problem;
        return report;
    }
    CauerConversion cauer = CauerFromFoster(report.Foster.Network);
    if (!cauer.Problem.empty()) {
        report.Status = TransientReportStatus::NoNetwork;
        report.Reason = cauer.Problem;
        return report;
    }
    report.Cauer = std::move(cauer.Network);
    report.Structure = ComputeStructureFunction(report.Cauer);
    return report;
}

TransientReportStatus StatusOf(TransientStatus status) {
    switch (status) {
        case TransientStatus::Ok:
            return TransientReportStatus::Ok;
        case TransientStatus::NotAvailable:
            return TransientReportStatus::NotAvailable;
        case TransientStatus::Cancelled:
        case TransientStatus::NotConverged:
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

TransientReport ComputeTransient(const Model& model, const MaterialTable& table,
                                 const HeatCapacityTable& heat, const std::string& heatPath,
                                 const BaseCondition& base, std::optional<int> stages,
                                 const CheckHooks& hooks) {
    const auto started = std::chrono::steady_clock::now();
    if (const auto unavailable = FindUnavailability(model, table, base)) {
        return Unavailable(BaseConditionProblem(base).value_or(UnavailabilityText(*unavailable)));
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
    TransientOptions solverOptions;
    solverOptions.Steady.Base = base;
    TransientReport report;
    report.Curve = SolveTransient(StackOf(model, table, base), capacities, solverOptions, hooks);
    report.Status = StatusOf(report.Curve.Status);
    report.Reason = report.Curve.Message;
    if (report.Status == TransientReportStatus::Ok) report = WithNetworks(report, stages);
    report.Seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return report;
}

}  // namespace strativex::exact
