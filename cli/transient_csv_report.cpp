#include <array>

#include "cli/transient_report.h"
#include "core/csv_fields.h"
#include "core/number_text.h"

namespace strativex {
namespace {

constexpr const char* kLineEnd = "\r\n";

std::string Number(double value) {
    return ShortestText(value).value_or("");
}

// file,series,index then the six value columns; a series fills the ones it has.
struct SeriesLine {
    std::string Series;
    std::size_t Index = 0;
    std::array<std::string, 6> Values;
};

std::string LineText(const std::string& file, const SeriesLine& line) {
    std::string text = file + "," + line.Series + "," + std::to_string(line.Index);
    for (const std::string& value : line.Values) text += "," + value;
    return text + kLineEnd;
}

std::vector<SeriesLine> CurveLines(const exact::TransientResult& curve) {
    std::vector<SeriesLine> lines;
    for (std::size_t i = 0; i < curve.TimeS.size(); ++i) {
        lines.push_back(
            {"zth",
             i + 1,
             {Number(curve.TimeS[i]), Number(curve.ZthAverage[i]), Number(curve.ZthPeak[i])}});
    }
    return lines;
}

std::vector<SeriesLine> NetworkLines(const exact::TransientReport& report) {
    std::vector<SeriesLine> lines;
    const auto& foster = report.Foster.Network.Stages;
    for (std::size_t i = 0; i < foster.size(); ++i) {
        lines.push_back(
            {"foster",
             i + 1,
             {"", "", "", Number(foster[i].R), Number(foster[i].C), Number(foster[i].Tau())}});
    }
    const auto& cauer = report.Cauer.Stages;
    for (std::size_t i = 0; i < cauer.size(); ++i) {
        lines.push_back({"cauer", i + 1, {"", "", "", Number(cauer[i].R), Number(cauer[i].C)}});
    }
    const exact::StructureFunction& structure = report.Structure;
    for (std::size_t i = 0; i < structure.CumulativeR.size(); ++i) {
        lines.push_back(
            {"structure_function",
             i + 1,
             {"", "", "", Number(structure.CumulativeR[i]), Number(structure.CumulativeC[i])}});
    }
    return lines;
}

}  // namespace

std::string TransientCsvHeader() {
    return ",transient_status,transient_reason,transient_stages,transient_fit_error_pct,"
           "transient_seconds";
}

std::string TransientCsvFields(const exact::TransientReport& report) {
    const bool networks = report.HasNetworks();
    return "," + std::string(TransientStatusName(report.Status)) + "," +
           QuoteCsvField(report.Reason) + "," +
           (networks ? std::to_string(report.Foster.Network.Stages.size()) : "") + "," +
           (networks ? Number(report.Foster.ErrorPercent) : "") + "," +
           (report.HasCurve() ? Number(report.Seconds) : "");
}

std::string TransientSeriesCsvHeader() {
    return std::string(
               "file,series,index,time_s,zth_avg_k_per_w,zth_peak_k_per_w,r_k_per_w,"
               "c_j_per_k,tau_s") +
           kLineEnd;
}

std::string TransientSeriesCsvLines(const exact::TransientReport& report, const std::string& file) {
    std::string text;
    const std::string fileField = QuoteCsvField(file);
    if (report.HasCurve()) {
        for (const SeriesLine& line : CurveLines(report.Curve)) text += LineText(fileField, line);
    }
    if (report.HasNetworks()) {
        for (const SeriesLine& line : NetworkLines(report)) text += LineText(fileField, line);
    }
    return text;
}

}  // namespace strativex
