#include "cli/sweep_cells.h"

#include "cli/model_summary.h"
#include "cli/sweep_names.h"
#include "core/number_text.h"

namespace strativex {
namespace {

template <typename T>
std::optional<std::string> Number(const std::optional<T>& value) {
    return value ? ShortestText(*value) : std::nullopt;
}

// The calculation keeps temperatures as 32-bit kelvin: their text names that value, not the
// digits of its difference from the kelvin offset in double.
std::optional<std::string> Celsius(bool hasResult, const SweepLayerResult& layer) {
    return hasResult ? CelsiusText(layer.TopTempK) : std::nullopt;
}

}  // namespace

std::vector<OutputCell> SweepPointCells(const SweepResult& sweep, std::size_t index,
                                        const MaterialTable& table) {
    const SweepPoint& point = sweep.Points[index];
    std::vector<OutputCell> cells{
        {"point", std::to_string(index + 1)},
        {SweptColumn(sweep), ShortestText(point.Value)},
    };
    if (sweep.Request.Quantity == QuantityId::Material) {
        cells.push_back({LayerColumn(sweep.Request.Layer, "material"),
                         SweptMaterialName(table, point.Value), true});
    }
    const bool failed = !point.HasResult();
    cells.push_back(
        {"heat_source_temp_c", Celsius(point.HeatSourceTempC.has_value(), point.Layers[0])});
    cells.push_back({"total_resistance_c_per_w", Number(point.TotalResistance)});
    cells.push_back({"status", std::string(StatusName(point.Cause)), true});
    cells.push_back(
        {"failed_layer", failed ? std::optional(std::to_string(point.FailedLayer)) : std::nullopt});
    for (int i = 1; i <= sweep.LayerCount; ++i) {
        const SweepLayerResult& layer = point.Layers[static_cast<std::size_t>(i - 1)];
        cells.push_back(
            {LayerColumn(i, "top_temp_c"), Celsius(layer.TopTempC().has_value(), layer)});
    }
    return cells;
}

}  // namespace strativex
