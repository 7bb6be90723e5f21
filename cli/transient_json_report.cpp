#include "cli/json_text.h"
#include "cli/transient_report.h"

namespace strativex {
namespace {

// Numbers on one line: a curve of a hundred points stays a few lines of the report.
std::string NumberList(const std::vector<double>& values) {
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += (i == 0 ? "" : ", ") + JsonNumber(values[i]);
    }
    return text + "]";
}

std::vector<double> CurveOrNothing(const exact::TransientReport& report,
                                   const std::vector<double>& values) {
    return report.HasCurve() ? values : std::vector<double>{};
}

std::string FosterJson(const exact::TransientReport& report, int indent) {
    std::vector<std::string> stages;
    if (report.HasNetworks()) {
        for (const exact::RcStage& stage : report.Foster.Network.Stages) {
            stages.push_back("{\"r_k_per_w\": " + JsonNumber(stage.R) + ", \"c_j_per_k\": " +
                             JsonNumber(stage.C) + ", \"tau_s\": " + JsonNumber(stage.Tau()) + "}");
        }
    }
    return JsonArray(stages, indent);
}

std::string CauerJson(const exact::TransientReport& report, int indent) {
    std::vector<std::string> stages;
    if (report.HasNetworks()) {
        for (const exact::RcStage& stage : report.Cauer.Stages) {
            stages.push_back("{\"r_k_per_w\": " + JsonNumber(stage.R) +
                             ", \"c_j_per_k\": " + JsonNumber(stage.C) + "}");
        }
    }
    return JsonArray(stages, indent);
}

std::string StructureJson(const exact::TransientReport& report, int indent) {
    const bool shown = report.HasNetworks();
    return JsonObject(indent)
        .Add("r_k_per_w", NumberList(shown ? report.Structure.CumulativeR : std::vector<double>{}))
        .Add("c_j_per_k", NumberList(shown ? report.Structure.CumulativeC : std::vector<double>{}))
        .Text();
}

std::string OptionalNumber(bool shown, double value) {
    return shown ? JsonNumber(value) : "null";
}

}  // namespace

std::string TransientJson(const exact::TransientReport& report, int indent) {
    const bool networks = report.HasNetworks();
    return JsonObject(indent)
        .Add("status", JsonString(TransientStatusName(report.Status)))
        .Add("reason", report.Reason.empty() ? "null" : JsonString(report.Reason))
        .Add("stages", networks ? std::to_string(report.Foster.Network.Stages.size()) : "null")
        .Add("fit_error_pct", OptionalNumber(networks, report.Foster.ErrorPercent))
        .Add("curve_error_pct", OptionalNumber(report.HasCurve(), report.Curve.ErrorPercent))
        .Add("seconds", OptionalNumber(report.HasCurve(), report.Seconds))
        .Add("time_s", NumberList(CurveOrNothing(report, report.Curve.TimeS)))
        .Add("zth_avg_k_per_w", NumberList(CurveOrNothing(report, report.Curve.ZthAverage)))
        .Add("zth_peak_k_per_w", NumberList(CurveOrNothing(report, report.Curve.ZthPeak)))
        .Add("foster", FosterJson(report, indent + 2))
        .Add("cauer", CauerJson(report, indent + 2))
        .Add("structure_function", StructureJson(report, indent + 2))
        .Text();
}

}  // namespace strativex
