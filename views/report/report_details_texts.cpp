#include "views/report/report_details_texts.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/material_table.h"
#include "core/number_format.h"
#include "core/quantity.h"
#include "core/thermal_calc.h"
#include "core/units.h"
#include "exact/base_condition.h"
#include "views/report/program_version.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

const QString kNoMaterial = QStringLiteral("-----");
const QString kNoLimit = QStringLiteral("no limit");
constexpr double kWattsPerMetreInWattsPerCentimetre = 100.0;
constexpr int kSignificantDigits = 4;

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Inputs as the user typed them: every digit a single-precision value holds.
QString Entered(float value) {
    return Text(NumberText(value));
}

QString EnteredSize(float value) {
    return value == 0.0f ? kNoLimit : Entered(value);
}

QString Formatted(double value, int slot, const DecimalDigitsTable& digits) {
    return Text(FormatValue(value, slot, digits));
}

// Derived values have no digits setting of their own; four significant digits, never an
// exponent, read well whatever their size.
QString Significant(double value) {
    if (!std::isfinite(value)) return Text(MissingResultMark(ResultStatus::NoConvergence));
    const int magnitude =
        value == 0.0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::clamp(kSignificantDigits - 1 - magnitude, 0, 6);
    return QString::number(value, 'f', decimals);
}

QString Percent(double value) {
    return QString::number(value, 'f', 1) + QStringLiteral(" %");
}

QString Mark(ResultStatus status) {
    return Text(MissingResultMark(status));
}

int ShownLayerCount(const Model& model) {
    return std::clamp<int>(model.LayerCount, 0, kMaxLayerCount);
}

QString LengthUnitText(const Model& model) {
    return Text(UnitLabel(model.UnitSystem));
}

QString AreaUnitText(const Model& model) {
    return model.UnitSystem == LengthUnit::Inches ? QStringLiteral("in²") : QStringLiteral("mm²");
}

QString Degrees(double celsius, const DecimalDigitsTable& digits) {
    return Formatted(celsius, kTemperatureSlot, digits) + QStringLiteral(" °C");
}

QString Resistance(double value, const DecimalDigitsTable& digits) {
    return Formatted(value, kResistanceSlot, digits) + QStringLiteral(" C/W");
}

// Name, id, A and B of a layer's material; a material missing from the tables keeps its id.
QStringList MaterialCells(const ViewInputs& inputs, const Layer& layer) {
    if (layer.MaterialId < 1) return {kNoMaterial, QString(), QString(), QString()};
    const QString id = QString::number(layer.MaterialId);
    const int index = FindMaterialIndex(inputs.materials, layer.MaterialId);
    if (index == 0) return {Mark(ResultStatus::MissingMaterial), id, QString(), QString()};
    const Material& material = inputs.materials.Materials[static_cast<std::size_t>(index)];
    QString name = FromModelText(material.Name);
    if (index >= inputs.materials.FirstCustomIndex) name += QStringLiteral(" (custom)");
    return {name, id, Entered(material.A), Entered(material.B)};
}

// A layer's numbers as the table of quantities orders them; the material has columns of its own.
std::vector<const QuantityDescriptor*> LayerNumbers() {
    std::vector<const QuantityDescriptor*> numbers;
    for (const QuantityDescriptor& quantity : Quantities()) {
        if (quantity.OfLayer && HasBounds(quantity)) numbers.push_back(&quantity);
    }
    return numbers;
}

QString EnteredValue(const QuantityDescriptor& quantity, const Model& model, int layer) {
    const float value = quantity.Read(model, layer);
    return quantity.ZeroMeansNoLimit ? EnteredSize(value) : Entered(value);
}

// The heat source's value in a layer column: the model-wide quantity under the same heading,
// its width and length; empty where it has none.
QString HeatSourceCell(const Model& model, const QuantityDescriptor& column) {
    for (const QuantityDescriptor& quantity : Quantities()) {
        if (!quantity.OfLayer && quantity.Heading == column.Heading) {
            return EnteredValue(quantity, model, 0);
        }
    }
    return {};
}

QStringList HeatSourceInputRow(const Model& model) {
    QStringList row{QStringLiteral("Heat source"),
                    FromModelText(model.Layers[0].Description),
                    QString(),
                    QString(),
                    QString(),
                    QString()};
    for (const QuantityDescriptor* column : LayerNumbers()) row << HeatSourceCell(model, *column);
    return row;
}

QStringList LayerInputRow(const ViewInputs& inputs, int i) {
    const Layer& layer = inputs.model.Layers[static_cast<std::size_t>(i)];
    QStringList row = QStringList{QString::number(i), FromModelText(layer.Description)}
                      << MaterialCells(inputs, layer);
    for (const QuantityDescriptor* column : LayerNumbers()) {
        row << EnteredValue(*column, inputs.model, i);
    }
    return row;
}

// A column's unit as the page writes it: "mm", "degrees".
QString ColumnUnit(UnitFamily family, LengthUnit unit) {
    return family == UnitFamily::Angle ? QStringLiteral("degrees") : Text(UnitText(family, unit));
}

QStringList Conductivities(const ViewInputs& inputs, int i) {
    const Layer& layer = inputs.model.Layers[static_cast<std::size_t>(i)];
    if (layer.MaterialId < 1) return {kNoMaterial, kNoMaterial};
    if (!HasResult(layer)) return {Mark(layer.Status), Mark(layer.Status)};
    const double k = LayerConductivity(inputs.model, inputs.materials, i, layer.TopTemp);
    return {Significant(k), Significant(k * kWattsPerMetreInWattsPerCentimetre)};
}

QStringList LayerResultRow(const ViewInputs& inputs, int i, const ExactCheckSummary* exact) {
    const Layer& layer = inputs.model.Layers[static_cast<std::size_t>(i)];
    const bool result = HasResult(layer);
    QStringList row{QString::number(i)};
    row << Conductivities(inputs, i) << Significant(layer.Area)
        << (result ? Formatted(layer.Resistance, kResistanceSlot, inputs.digits)
                   : Mark(layer.Status))
        << (result ? Formatted(static_cast<double>(layer.TopTemp) - kKelvinOffset, kTemperatureSlot,
                               inputs.digits)
                   : Mark(layer.Status));
    if (exact != nullptr) {
        const auto index = static_cast<std::size_t>(i - 1);
        const std::vector<double>& tops = exact->Result->LayerTopTempC;
        row << (index < tops.size() ? Formatted(tops[index], kTemperatureSlot, inputs.digits)
                                    : QString());
    }
    row << (result ? QStringLiteral("ok") : Mark(layer.Status));
    return row;
}

// The statuses whose marks the legend explains; a new status needs its meaning below too.
constexpr std::array kMarkedStatuses{ResultStatus::MissingMaterial, ResultStatus::NoConvergence,
                                     ResultStatus::InvalidInput,
                                     ResultStatus::DependsOnFailedLayer};

QString MarkMeaning(ResultStatus status) {
    switch (status) {
        case ResultStatus::Ok:
            return {};
        case ResultStatus::MissingMaterial:
            return QStringLiteral("the layer's material is not in the materials tables");
        case ResultStatus::NoConvergence:
            return QStringLiteral("the layer's temperature did not settle on a value");
        case ResultStatus::InvalidInput:
            return QStringLiteral("an input no package can have, such as a negative thickness");
        case ResultStatus::DependsOnFailedLayer:
            return QStringLiteral("a layer below has no result, so this value is unknown");
        case ResultStatus::NoLayers:
            return {};
    }
    return {};
}

}  // namespace

LabelledValues DetailsHeader(const ReportInputs& inputs, const QDateTime& made) {
    const Model& model = inputs.view.model;
    const QString length = LengthUnitText(model);
    return {
        {QStringLiteral("Model name"), FromModelText(model.ModelName)},
        {QStringLiteral("File"), FromModelText(model.ModelFileName)},
        {QStringLiteral("Date and time"), made.toString(QStringLiteral("yyyy-MM-dd HH:mm"))},
        {QStringLiteral("Program"),
         QString::fromStdString(inputs.programName) + QStringLiteral(" ") + ProgramVersionText()},
        {QStringLiteral("Units"),
         QStringLiteral("lengths in %1, areas in %2, power in W, temperatures in °C, "
                        "resistances in C/W; conductivity K = A·T^B in W/cm-K with T in kelvin")
             .arg(length, AreaUnitText(model))},
    };
}

PageTableTexts LayerInputTable(const ViewInputs& inputs) {
    PageTableTexts table;
    table.Headings = {QStringLiteral("Layer"),    QStringLiteral("Description"),
                      QStringLiteral("Material"), QStringLiteral("Id"),
                      QStringLiteral("A"),        QStringLiteral("B")};
    for (const QuantityDescriptor* column : LayerNumbers()) {
        table.Headings << Text(column->Heading) + "\n" +
                              ColumnUnit(column->Unit, inputs.model.UnitSystem);
    }
    table.TextColumns = {0, 1, 2};
    table.FlexibleColumn = 1;
    table.Rows.push_back(HeatSourceInputRow(inputs.model));
    for (int i = 1; i <= ShownLayerCount(inputs.model); ++i) {
        table.Rows.push_back(LayerInputRow(inputs, i));
    }
    return table;
}

PageTableTexts LayerResultTable(const ViewInputs& inputs, const ExactCheckSummary* exact) {
    PageTableTexts table;
    table.Headings = {QStringLiteral("Layer"),
                      QStringLiteral("K at top\nW/cm-K"),
                      QStringLiteral("K at top\nW/m-K"),
                      QStringLiteral("Footprint at bottom\n") + AreaUnitText(inputs.model),
                      QStringLiteral("Resistance\nC/W"),
                      QStringLiteral("Top temperature\n°C")};
    if (exact != nullptr) table.Headings << QStringLiteral("3-D top temperature\n°C");
    table.Headings << QStringLiteral("Status");
    table.TextColumns = {0, static_cast<int>(table.Headings.size()) - 1};
    table.FlexibleColumn = table.TextColumns.back();
    for (int i = 1; i <= ShownLayerCount(inputs.model); ++i) {
        table.Rows.push_back(LayerResultRow(inputs, i, exact));
    }
    return table;
}

LabelledValues DetailsTotals(const ViewInputs& inputs) {
    const Model& model = inputs.model;
    const std::optional<float> total = TotalResistance(model);
    const std::optional<double> source = HeatSourceTempC(model);
    const QString unknown = Mark(ResultStatus::DependsOnFailedLayer);
    return {
        {QStringLiteral("Power"), Entered(model.PowerDissipation) + QStringLiteral(" W")},
        {QStringLiteral("Total resistance"), total ? Resistance(*total, inputs.digits) : unknown},
        {QStringLiteral("Heat source temperature"),
         source ? Degrees(*source, inputs.digits) : unknown},
        {QStringLiteral("Isothermal base"), Entered(model.IsothermalTemp) + QStringLiteral(" °C")},
    };
}

LabelledValues ResultMarkLegend() {
    LabelledValues legend{
        {kNoMaterial, QStringLiteral("no material chosen: the layer adds practically no "
                                     "resistance")},
        {kNoLimit + QStringLiteral(", (infinite)"),
         QStringLiteral("a width or length of 0: the layer does not limit the footprint")},
    };
    for (const ResultStatus status : kMarkedStatuses) {
        legend.push_back({Mark(status), MarkMeaning(status)});
    }
    return legend;
}

LabelledValues ExactCheckLines(const ViewInputs& inputs, const ExactCheckSummary& summary) {
    const DecimalDigitsTable& digits = inputs.digits;
    const exact::ExactResult& result = *summary.Result;
    LabelledValues lines{
        {QStringLiteral("3-D average"), Degrees(result.AverageSourceTempC, digits) +
                                            QStringLiteral(" over the heat source, resistance ") +
                                            Resistance(result.AverageResistance, digits)},
        {QStringLiteral("3-D peak"), Degrees(result.PeakSourceTempC, digits) +
                                         QStringLiteral(" at the heat source, resistance ") +
                                         Resistance(result.PeakResistance, digits)},
    };
    if (result.SinkResistance) {
        lines.push_back({QStringLiteral("Base"),
                         QString::fromStdString(exact::BaseConditionText(result.Base))});
    }
    const std::optional<double> estimate = HeatSourceTempC(inputs.model);
    if (estimate && result.EstimateErrorPercent) {
        const QString sink = result.EstimateWithSinkTempC
                                 ? QStringLiteral(", with the heat sink in series ") +
                                       Degrees(*result.EstimateWithSinkTempC, digits)
                                 : QString();
        lines.push_back({QStringLiteral("Spreading-angle estimate"),
                         Degrees(*estimate, digits) + sink + QStringLiteral(", its rise ") +
                             Percent(*result.EstimateErrorPercent) +
                             QStringLiteral(" from the 3-D average's")});
    }
    if (result.SourceClipped) {
        lines.push_back({QStringLiteral("Heated area"),
                         QStringLiteral("the device is larger than layer 1: the 3-D check heats "
                                        "only where they meet, the estimate the whole device")});
    }
    lines.push_back(
        {QStringLiteral("Equivalent angle"),
         result.EquivalentAngleDeg
             ? QString::number(*result.EquivalentAngleDeg, 'f', 1) +
                   QStringLiteral(" degrees: given to every layer, it reproduces the 3-D average")
             : QStringLiteral("none: no angle from 0 to 89 degrees reproduces the 3-D average")});
    lines.push_back({QStringLiteral("Discretisation error"),
                     QStringLiteral("about ") + Percent(result.AverageErrorPercent) +
                         QStringLiteral(" of the average rise, on %1 cells").arg(result.Cells)});
    return lines;
}

}  // namespace strativex
