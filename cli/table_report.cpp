#include "cli/table_report.h"

#include <sstream>

#include "cli/exact_report.h"
#include "cli/model_summary.h"
#include "cli/text_table.h"
#include "cli/transient_report.h"
#include "cli/utf8_text.h"
#include "core/number_format.h"
#include "core/thermal_calc.h"
#include "core/units.h"
#include "core/windows1252.h"

namespace strativex {
namespace {

// The layer strip's mark for a layer without material.
constexpr const char* kNoMaterial = "-----";
// The window's results table shows spreading angles in whole degrees.
constexpr int kAngleDecimals = 0;

std::string Formatted(double value, int slot) {
    return FormatValue(value, slot, kDefaultDecimalDigits);
}

// A line break or tab inside a description would break the table's lines and columns.
std::string CellText(const std::string& windows1252) {
    std::string text = Windows1252ToUtf8(windows1252);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    }
    return text;
}

// As the window's results table: a stored 0 is no limit, anything else a number.
std::string SizeText(float value, LengthUnit unit) {
    return value == 0.0f ? std::string(kNoLimitText) : Formatted(value, WidthLengthSlot(unit));
}

std::vector<TextColumn> Columns(LengthUnit unit) {
    const std::string length(UnitLabel(unit));
    return {
        {"Layer", "", Alignment::Right},         {"Description", "", Alignment::Left},
        {"Material", "", Alignment::Left},       {"Width", length, Alignment::Right},
        {"Length", length, Alignment::Right},    {"Thickness", length, Alignment::Right},
        {"Angle", "deg", Alignment::Right},      {"Top temp", "C", Alignment::Right},
        {"Resistance", "C/W", Alignment::Right},
    };
}

TextRow LayerRow(const Model& model, const MaterialTable& table, int i) {
    const Layer& layer = model.Layers[i];
    const LengthUnit unit = model.UnitSystem;
    const auto temp = TopTempCOf(layer);
    const auto resistance = ResistanceOf(layer);
    return {
        std::to_string(i),
        CellText(layer.Description),
        MaterialName(table, layer).value_or(kNoMaterial),
        SizeText(layer.Width, unit),
        SizeText(layer.Length, unit),
        Formatted(layer.Thickness, ThicknessSlot(unit)),
        FormatDecimals(layer.SpreadAngle, kAngleDecimals),
        temp ? Formatted(*temp, kTemperatureSlot) : std::string(MissingResultMark(layer.Status)),
        resistance ? Formatted(*resistance, kResistanceSlot)
                   : std::string(MissingResultMark(layer.Status))};
}

std::vector<TextRow> Rows(const Model& model, const MaterialTable& table) {
    const Layer& source = model.Layers[0];
    std::vector<TextRow> rows{{"0", CellText(source.Description), "",
                               SizeText(source.Width, model.UnitSystem),
                               SizeText(source.Length, model.UnitSystem)}};
    for (int i = 1; i <= model.LayerCount; ++i) rows.push_back(LayerRow(model, table, i));
    rows.push_back({"", "Isothermal base", "", "", "", "", "",
                    Formatted(model.IsothermalTemp, kTemperatureSlot)});
    return rows;
}

// Where the model holds an input no package can have, the table says which.
std::string InvalidInputLine(const Model& model) {
    const auto invalid = FirstInvalidInput(model);
    if (!invalid) return {};
    const std::string field(InputFieldName(invalid->Field));
    return "Invalid input:            " + field +
           (invalid->Layer > 0 ? " of layer " + std::to_string(invalid->Layer) : "") + "\n";
}

std::string Summary(const Model& model) {
    const auto total = TotalResistance(model);
    const auto sourceTemp = HeatSourceTempC(model);
    return InvalidInputLine(model) + "Total resistance:         " +
           (total ? Formatted(*total, kResistanceSlot) + " C/W" : std::string("n/a")) + "\n" +
           "Heat source temperature:  " +
           (sourceTemp ? Formatted(*sourceTemp, kTemperatureSlot) + " C" : std::string("n/a")) +
           "\n";
}

std::string ModelTable(const LoadedModel& loaded, const MaterialTable& table) {
    const Model& model = loaded.Data;
    return "File:        " + ValidUtf8(loaded.Path) + "\n" +
           "Model:       " + CellText(model.ModelName) + "\n" +
           "Power:       " + Formatted(model.PowerDissipation, kPowerSlot) + " W\n" +
           "Isothermal:  " + Formatted(model.IsothermalTemp, kTemperatureSlot) + " C\n\n" +
           TextTable(Columns(model.UnitSystem), Rows(model, table)) + "\n" + Summary(model) +
           (loaded.Exact ? ExactTableLines(*loaded.Exact, model) : "") +
           (loaded.Transient ? TransientTableLines(*loaded.Transient) : "");
}

}  // namespace

std::string TableReport(const std::vector<LoadedModel>& models, const MaterialTable& table) {
    std::ostringstream text;
    WriteTableReport(text, models, table);
    return text.str();
}

void WriteTableReport(std::ostream& out, const std::vector<LoadedModel>& models,
                      const MaterialTable& table) {
    for (std::size_t m = 0; m < models.size(); ++m) {
        if (m > 0) out << "\n";
        out << ModelTable(models[m], table);
    }
}

}  // namespace strativex
