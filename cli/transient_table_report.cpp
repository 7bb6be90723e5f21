#include <cmath>
#include <iomanip>
#include <sstream>

#include "cli/text_table.h"
#include "cli/transient_report.h"
#include "core/number_format.h"

namespace strativex {
namespace {

// R, C and τ span many decades: four significant digits say as much at either end.
constexpr int kSignificantDigits = 4;
constexpr int kPercentDecimals = 2;

std::string Significant(double value) {
    std::ostringstream text;
    text << std::setprecision(kSignificantDigits) << value;
    return text.str();
}

// The sample nearest each whole decade of time, and the settled end.
std::vector<std::size_t> DecadeSamples(const std::vector<double>& times) {
    std::vector<std::size_t> picked;
    if (times.empty()) return picked;
    for (double decade = std::ceil(std::log10(times.front())); decade <= std::log10(times.back());
         ++decade) {
        std::size_t best = 0;
        for (std::size_t i = 1; i < times.size(); ++i) {
            if (std::fabs(std::log10(times[i]) - decade) <
                std::fabs(std::log10(times[best]) - decade)) {
                best = i;
            }
        }
        if (picked.empty() || picked.back() != best) picked.push_back(best);
    }
    if (picked.empty() || picked.back() != times.size() - 1) picked.push_back(times.size() - 1);
    return picked;
}

std::string CurveTable(const exact::TransientResult& curve) {
    std::vector<TextRow> rows;
    for (const std::size_t i : DecadeSamples(curve.TimeS)) {
        rows.push_back({Significant(curve.TimeS[i]), Significant(curve.ZthAverage[i]),
                        Significant(curve.ZthPeak[i])});
    }
    return TextTable({{"Time", "s", Alignment::Right},
                      {"Zth avg", "K/W", Alignment::Right},
                      {"Zth peak", "K/W", Alignment::Right}},
                     rows);
}

std::string StageCell(const std::vector<exact::RcStage>& stages, std::size_t i, bool tau) {
    if (i >= stages.size()) return "";
    return Significant(tau ? stages[i].Tau() : stages[i].R);
}

std::string NetworkTable(const exact::TransientReport& report) {
    const auto& foster = report.Foster.Network.Stages;
    const auto& cauer = report.Cauer.Stages;
    std::vector<TextRow> rows;
    for (std::size_t i = 0; i < std::max(foster.size(), cauer.size()); ++i) {
        rows.push_back({std::to_string(i + 1), StageCell(foster, i, false),
                        i < foster.size() ? Significant(foster[i].C) : "",
                        StageCell(foster, i, true), StageCell(cauer, i, false),
                        i < cauer.size() ? Significant(cauer[i].C) : ""});
    }
    return TextTable({{"Stage", "", Alignment::Right},
                      {"Foster R", "K/W", Alignment::Right},
                      {"Foster C", "J/K", Alignment::Right},
                      {"Foster tau", "s", Alignment::Right},
                      {"Cauer R", "K/W", Alignment::Right},
                      {"Cauer C", "J/K", Alignment::Right}},
                     rows);
}

std::string Indented(const std::string& lines) {
    std::string text;
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);) text += "  " + line + "\n";
    return text;
}

}  // namespace

std::string TransientTableLines(const exact::TransientReport& report) {
    if (!report.HasCurve()) {
        const char* what = report.Status == exact::TransientReportStatus::NotAvailable
                               ? "not available"
                               : "no result";
        return "Transient:                " + std::string(what) + ": " + report.Reason + "\n";
    }
    std::string text = "Transient:                Zth from " +
                       Significant(report.Curve.TimeS.front()) + " s to " +
                       Significant(report.Curve.TimeS.back()) + " s, " +
                       std::to_string(report.Curve.TimeS.size()) + " points, " +
                       FormatDecimals(report.Seconds, kPercentDecimals) + " s\n" +
                       Indented(CurveTable(report.Curve));
    if (!report.HasNetworks()) return text + "  No network: " + report.Reason + "\n";
    return text + "  Networks (junction first), fitted to Zth peak within " +
           FormatDecimals(report.Foster.ErrorPercent, kPercentDecimals) + " % of Zth(inf):\n" +
           Indented(NetworkTable(report));
}

}  // namespace strativex
