#include "cli/exact_report.h"
#include "core/number_format.h"
#include "core/number_text.h"
#include "core/units.h"

namespace strativex {
namespace {

// Wide enough for the longest label, as the summary above it.
constexpr std::size_t kLabelWidth = 24;
constexpr int kPercentDecimals = 2;
constexpr int kAngleDecimals = 2;

std::string Line(const std::string& label, const std::string& value) {
    std::string line = "  " + label + ":";
    line.resize(std::max(line.size() + 1, kLabelWidth + 2), ' ');
    return line + value + "\n";
}

std::string Temperature(double value) {
    return FormatValue(value, kTemperatureSlot, kDefaultDecimalDigits) + " C";
}

std::string WithError(double value, double errorK) {
    return Temperature(value) + "  +- " +
           FormatValue(errorK, kTemperatureSlot, kDefaultDecimalDigits) + " K";
}

std::string Resistance(double value) {
    return FormatValue(value, kResistanceSlot, kDefaultDecimalDigits) + " C/W";
}

std::string ErrorText(const exact::ExactResult& r) {
    return FormatDecimals(*r.EstimateErrorPercent, kPercentDecimals) + " % from the 3-D average";
}

std::string ErrorBarText(const exact::ExactResult& r) {
    if (r.ErrorBoundConservative) {
        return "conservative bound (the three grids show no steady order of convergence)";
    }
    return "three grids, order " + FormatDecimals(r.ObservedOrder.value_or(2.0), 1);
}

std::string EstimateText(const exact::ExactResult& r) {
    if (!r.Sources.IsSingle()) return "not compared (the estimate knows one source)";
    if (!r.EstimateSourceTempC || !r.EstimateErrorPercent) return "n/a (no result)";
    if (r.EstimateWithSinkTempC) return Temperature(*r.EstimateSourceTempC) + " (isothermal base)";
    return Temperature(*r.EstimateSourceTempC) + ", " + ErrorText(r);
}

std::string BaseLine(const exact::ExactResult& r) {
    if (!r.SinkResistance || !r.SinkHeatTransfer) return "";
    return Line("Base", exact::BaseConditionText(r.Base) + " to " + Temperature(r.BaseTempC) +
                            " (h = " + FormatDecimals(*r.SinkHeatTransfer, 1) + " W/m2-K, " +
                            Resistance(*r.SinkResistance) + ")");
}

std::string SinkEstimateLine(const exact::ExactResult& r) {
    if (!r.EstimateWithSinkTempC || !r.EstimateErrorPercent) return "";
    return Line("Estimate + sink", Temperature(*r.EstimateWithSinkTempC) + ", " + ErrorText(r));
}

std::string ClippedLine(const exact::ExactResult& r) {
    if (!r.SourceClipped) return "";
    return Line("Note",
                "the device is larger than layer 1: the 3-D check heats only where they "
                "meet, the estimate the whole device");
}

std::string Position(double x, double y, const Model& model) {
    const std::string unit(UnitLabel(model.UnitSystem));
    return "(" + ShortestText(x).value_or("?") + ", " + ShortestText(y).value_or("?") + ") " + unit;
}

// The array, what the source temperatures above belong to, the coupling and every source.
std::string ArrayLines(const exact::ExactResult& r, const Model& model) {
    if (r.Sources.IsSingle() || r.SourceTemps.empty()) return "";
    const exact::SourceTemperature& hot = r.SourceTemps[r.HottestSource];
    std::string lines = Line("Sources", exact::SourceArrayText(r.Sources, model.UnitSystem) +
                                            "; the temperatures above are the hottest's, at " +
                                            Position(hot.X, hot.Y, model));
    if (r.Coupling && r.LoneSourceTempC) {
        lines += Line("Coupling", FormatDecimals(*r.Coupling, 3) +
                                      " (one source alone: " + Temperature(*r.LoneSourceTempC) +
                                      " average, from a second 3-D check)");
    }
    for (const exact::SourceTemperature& source : r.SourceTemps) {
        lines +=
            Line("Source " + Position(source.X, source.Y, model),
                 Temperature(source.AverageC) + " average, " + Temperature(source.PeakC) + " peak");
    }
    return lines;
}

std::string AngleText(const exact::ExactResult& r) {
    if (!r.EquivalentAngleDeg) return "none (no angle from 0 to 89 deg gives the 3-D average)";
    return FormatDecimals(*r.EquivalentAngleDeg, kAngleDecimals) + " deg";
}

std::string LayerLines(const exact::ExactResult& r, const Model& model) {
    std::string lines;
    for (int i = 1; i <= model.LayerCount && i <= static_cast<int>(r.LayerTopTempC.size()); ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        std::string value = Temperature(r.LayerTopTempC[at]);
        if (at < r.EstimateLayerTopTempC.size()) {
            value += "  (estimate " + Temperature(r.EstimateLayerTopTempC[at]) + ")";
        }
        lines += Line("Layer " + std::to_string(i) + " top", value);
    }
    return lines;
}

}  // namespace

std::string ExactTableLines(const exact::ExactResult& r, const Model& model) {
    if (r.Status != exact::ExactStatus::Ok) {
        const char* what =
            r.Status == exact::ExactStatus::NotAvailable ? "not available" : "no result";
        return "3-D check:                " + std::string(what) + ": " + r.Message + "\n";
    }
    return "3-D check:\n" +
           Line("Average source temp", WithError(r.AverageSourceTempC, r.AverageErrorK)) +
           Line("Peak source temp", WithError(r.PeakSourceTempC, r.PeakErrorK)) +
           Line("Average resistance", Resistance(r.AverageResistance)) +
           Line("Peak resistance", Resistance(r.PeakResistance)) +
           Line("Error estimate", ErrorBarText(r)) + BaseLine(r) + ArrayLines(r, model) +
           Line("Estimate", EstimateText(r)) + SinkEstimateLine(r) + ClippedLine(r) +
           (r.Sources.IsSingle() ? Line("Equivalent angle", AngleText(r)) : "") +
           LayerLines(r, model) +
           Line("Grid", std::to_string(r.Cells) + " cells, " + std::to_string(r.SolverIterations) +
                            " iterations, " + FormatDecimals(r.Seconds, 2) + " s");
}

}  // namespace strativex
