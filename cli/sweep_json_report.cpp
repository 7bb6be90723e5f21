#include "cli/json_text.h"
#include "cli/model_summary.h"
#include "cli/sweep_cells.h"
#include "cli/sweep_names.h"
#include "cli/sweep_report.h"
#include "core/number_text.h"
#include "core/windows1252.h"

namespace strativex {
namespace {

constexpr int kPointIndent = 4;

std::string PointJson(const SweepResult& sweep, std::size_t index, const MaterialTable& table) {
    JsonObject point(kPointIndent);
    for (const OutputCell& cell : SweepPointCells(sweep, index, table)) {
        const std::string value = !cell.Value   ? "null"
                                  : cell.IsText ? JsonString(*cell.Value)
                                                : *cell.Value;
        point.Add(cell.Name, value);
    }
    return point.Text();
}

std::string SpacingJson(const SweepRequest& request) {
    if (request.Quantity == QuantityId::Material) return "null";
    return JsonString(request.Spacing == SweepSpacing::Logarithmic ? "logarithmic" : "linear");
}

}  // namespace

std::string SweepJsonReport(const LoadedModel& model, const SweepResult& sweep,
                            const MaterialTable& table) {
    const SweepRequest& request = sweep.Request;
    std::vector<std::string> points;
    for (std::size_t p = 0; p < sweep.Points.size(); ++p) {
        points.push_back(PointJson(sweep, p, table));
    }
    return JsonObject(0)
               .Add("file", JsonString(model.Path))
               .Add("model_name", JsonString(Windows1252ToUtf8(model.Data.ModelName)))
               .Add("units", JsonString(UnitName(sweep.Unit)))
               .Add("quantity", JsonString(SweepQuantityName(request.Quantity)))
               .Add("layer",
                    IsLayerQuantity(request.Quantity) ? std::to_string(request.Layer) : "null")
               .Add("spacing", SpacingJson(request))
               .Add("swept_column", JsonString(SweptColumn(sweep)))
               .Add("model_value", JsonNumber(sweep.ModelValue))
               .Add("points", JsonArray(points, 2))
               .Text() +
           "\n";
}

}  // namespace strativex
