#include "cli/exact_cells.h"

#include "core/number_text.h"

namespace strativex {
namespace {

bool HasNumbers(const exact::ExactResult& result) {
    return result.Status == exact::ExactStatus::Ok;
}

// Every value of a result that is not Ok is empty: only its status and reason mean anything.
std::optional<std::string> Number(const exact::ExactResult& result, double value) {
    if (!HasNumbers(result)) return std::nullopt;
    return ShortestText(value);
}

std::optional<std::string> Number(const exact::ExactResult& result,
                                  const std::optional<double>& value) {
    return value ? Number(result, *value) : std::nullopt;
}

std::optional<std::string> Count(const exact::ExactResult& result, std::size_t value) {
    if (!HasNumbers(result)) return std::nullopt;
    return std::to_string(value);
}

std::optional<std::string> Item(const exact::ExactResult& result, const std::vector<double>& list,
                                int index) {
    const auto at = static_cast<std::size_t>(index - 1);
    if (index < 1 || at >= list.size()) return std::nullopt;
    return Number(result, list[at]);
}

std::optional<std::string> ReasonLayer(const exact::ExactResult& result) {
    if (!result.Unavailable || result.Unavailable->Layer == exact::kWholeModel) {
        return std::nullopt;
    }
    return std::to_string(result.Unavailable->Layer);
}

std::string_view BaseKindName(exact::BaseKind kind) {
    switch (kind) {
        case exact::BaseKind::Isothermal:
            break;
        case exact::BaseKind::HeatTransfer:
            return "heat_transfer";
        case exact::BaseKind::SinkResistance:
            return "sink_resistance";
    }
    return "isothermal";
}

// The value the user gave stands even where the check has no result; the other is derived.
std::optional<std::string> BaseValue(const exact::ExactResult& result, exact::BaseKind kind,
                                     const std::optional<double>& derived) {
    if (result.Base.Kind == kind) return ShortestText(result.Base.Value);
    return Number(result, derived);
}

std::optional<std::string> Pitch(int count, double pitch) {
    if (count == 1) return std::nullopt;
    return ShortestText(pitch);
}

// The array's sources, or the single one at the centre.
std::vector<exact::SourceTemperature> SourcesOf(const exact::ExactResult& r) {
    if (!HasNumbers(r)) return {};
    if (!r.SourceTemps.empty()) return r.SourceTemps;
    return {{0.0, 0.0, r.AverageSourceTempC, r.PeakSourceTempC, r.AverageErrorK}};
}

}  // namespace

std::string_view ExactStatusName(exact::ExactStatus status) {
    switch (status) {
        case exact::ExactStatus::Ok:
            return "ok";
        case exact::ExactStatus::NotAvailable:
            return "not_available";
        case exact::ExactStatus::Cancelled:
            return "cancelled";
        case exact::ExactStatus::NotConverged:
            return "not_converged";
    }
    return "unknown";
}

std::vector<OutputCell> ExactModelCells(const exact::ExactResult& r) {
    const bool failed = !HasNumbers(r);
    return {
        {"status", std::string(ExactStatusName(r.Status)), true},
        {"reason", failed ? std::optional(r.Message) : std::nullopt, true},
        {"reason_layer", ReasonLayer(r)},
        {"avg_source_temp_c", Number(r, r.AverageSourceTempC)},
        {"peak_source_temp_c", Number(r, r.PeakSourceTempC)},
        {"avg_resistance_c_per_w", Number(r, r.AverageResistance)},
        {"peak_resistance_c_per_w", Number(r, r.PeakResistance)},
        {"avg_error_k", Number(r, r.AverageErrorK)},
        {"peak_error_k", Number(r, r.PeakErrorK)},
        {"avg_error_percent", Number(r, r.AverageErrorPercent)},
        {"error_order", Number(r, r.ObservedOrder)},
        {"error_bound_conservative",
         failed ? std::nullopt
                : std::optional<std::string>(r.ErrorBoundConservative ? "true" : "false")},
        {"estimate_source_temp_c", Number(r, r.EstimateSourceTempC)},
        {"estimate_with_sink_temp_c", Number(r, r.EstimateWithSinkTempC)},
        {"estimate_error_percent", Number(r, r.EstimateErrorPercent)},
        {"equivalent_angle_deg", Number(r, r.EquivalentAngleDeg)},
        {"cells", Count(r, r.Cells)},
        {"iterations", Count(r, static_cast<std::size_t>(r.SolverIterations))},
        {"seconds", Number(r, r.Seconds)},
        {"source_clipped",
         failed ? std::nullopt : std::optional<std::string>(r.SourceClipped ? "true" : "false")},
    };
}

std::vector<OutputCell> ExactBaseCells(const exact::ExactResult& result) {
    return {
        {"kind", std::string(BaseKindName(result.Base.Kind)), true},
        {"h_w_per_m2k", BaseValue(result, exact::BaseKind::HeatTransfer, result.SinkHeatTransfer)},
        {"sink_r_k_per_w",
         BaseValue(result, exact::BaseKind::SinkResistance, result.SinkResistance)},
    };
}

std::vector<OutputCell> ExactArrayCells(const exact::ExactResult& result) {
    const exact::SourceArray& a = result.Sources;
    return {
        {"count_x", std::to_string(a.CountX)},
        {"count_y", std::to_string(a.CountY)},
        {"pitch_x", Pitch(a.CountX, a.PitchX)},
        {"pitch_y", Pitch(a.CountY, a.PitchY)},
    };
}

std::vector<OutputCell> ExactHottestCells(const exact::ExactResult& result) {
    const std::vector<exact::SourceTemperature> sources = SourcesOf(result);
    const exact::SourceTemperature hottest =
        sources.empty() ? exact::SourceTemperature{} : sources[result.HottestSource];
    return {
        {"x", Number(result, hottest.X)},
        {"y", Number(result, hottest.Y)},
        {"average_c", Number(result, hottest.AverageC)},
        {"peak_c", Number(result, hottest.PeakC)},
        {"coupling", Number(result, result.Coupling)},
    };
}

std::vector<std::vector<OutputCell>> ExactSourceCells(const exact::ExactResult& result) {
    std::vector<std::vector<OutputCell>> cells;
    for (const exact::SourceTemperature& source : SourcesOf(result)) {
        cells.push_back({
            {"x", ShortestText(source.X)},
            {"y", ShortestText(source.Y)},
            {"average_c", ShortestText(source.AverageC)},
            {"peak_c", ShortestText(source.PeakC)},
        });
    }
    return cells;
}

std::vector<OutputCell> ExactLayerCells(const exact::ExactResult& result, int index) {
    return {
        {"top_temp_c", Item(result, result.LayerTopTempC, index)},
        {"top_error_k", Item(result, result.LayerTopErrorK, index)},
    };
}

}  // namespace strativex
