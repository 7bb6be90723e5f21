#include <cctype>

#include "cli/sweep_names.h"
#include "cli/sweep_report.h"
#include "cli/text_table.h"
#include "core/number_format.h"
#include "core/sweep_check.h"
#include "core/units.h"
#include "core/windows1252.h"

namespace strativex {
namespace {

std::string Formatted(double value, int slot) {
    return FormatValue(value, slot, kDefaultDecimalDigits);
}

std::string Capitalised(std::string text) {
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

// The plain-text table heads every temperature "C".
std::string UnitOf(const SweepResult& sweep) {
    const UnitFamily family = QuantityOf(sweep.Request.Quantity).Unit;
    if (family == UnitFamily::Temperature) return "C";
    return std::string(UnitText(family, sweep.Unit));
}

std::string ValueText(const SweepResult& sweep, float value, const MaterialTable& table) {
    if (sweep.Request.Quantity == QuantityId::Material) return SweptMaterialName(table, value);
    return NumberText(value);
}

std::vector<TextColumn> Columns(const SweepResult& sweep) {
    std::vector<TextColumn> columns{
        {Capitalised(QuantityText(sweep.Request.Quantity, sweep.Request.Layer)), UnitOf(sweep),
         sweep.Request.Quantity == QuantityId::Material ? Alignment::Left : Alignment::Right},
        {"Heat source", "C", Alignment::Right},
        {"Resistance", "C/W", Alignment::Right},
        {"Status", "", Alignment::Left},
    };
    for (int i = 1; i <= sweep.LayerCount; ++i) {
        columns.push_back({"Layer " + std::to_string(i), "C", Alignment::Right});
    }
    return columns;
}

TextRow Row(const SweepResult& sweep, const SweepPoint& point, const MaterialTable& table) {
    const bool ok = point.HasResult();
    TextRow row{
        ValueText(sweep, point.Value, table),
        ok ? Formatted(*point.HeatSourceTempC, kTemperatureSlot) : "n/a",
        ok ? Formatted(*point.TotalResistance, kResistanceSlot) : "n/a",
        ok ? "ok"
           : "layer " + std::to_string(point.FailedLayer) + ": " +
                 std::string(MissingResultMark(point.Cause)),
    };
    for (int i = 0; i < sweep.LayerCount; ++i) {
        const SweepLayerResult& layer = point.Layers[static_cast<std::size_t>(i)];
        const auto temp = layer.TopTempC();
        row.push_back(temp ? Formatted(*temp, kTemperatureSlot)
                           : std::string(MissingResultMark(layer.Status)));
    }
    return row;
}

std::string Heading(const LoadedModel& model, const SweepResult& sweep,
                    const MaterialTable& table) {
    const SweepRequest& request = sweep.Request;
    const std::string unit = UnitOf(sweep).empty() ? "" : " " + UnitOf(sweep);
    const std::string what = QuantityText(request.Quantity, request.Layer);
    const std::string points = std::to_string(sweep.Points.size()) + " points";
    const std::string range =
        request.Quantity == QuantityId::Material
            ? points
            : NumberText(sweep.Points.front().Value) + " to " +
                  NumberText(sweep.Points.back().Value) + unit + ", " + points +
                  (request.Spacing == SweepSpacing::Logarithmic ? ", logarithmic" : ", linear");
    return "File:        " + model.Path + "\n" +
           "Model:       " + Windows1252ToUtf8(model.Data.ModelName) + "\n" +
           "Sweep:       " + what + ", " + range + "\n" +
           "Model value: " + ValueText(sweep, sweep.ModelValue, table) + unit + "\n\n";
}

}  // namespace

std::string SweepTableReport(const LoadedModel& model, const SweepResult& sweep,
                             const MaterialTable& table) {
    std::vector<TextRow> rows;
    for (const SweepPoint& point : sweep.Points) rows.push_back(Row(sweep, point, table));
    return Heading(model, sweep, table) + TextTable(Columns(sweep), rows);
}

}  // namespace strativex
