#include "views/stack/data_table_texts.h"

#include "core/material_table.h"
#include "core/number_format.h"
#include "core/thermal_calc.h"
#include "core/units.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

const QString kDegree = QStringLiteral("\u00B0");
const QString kNoMaterial = QStringLiteral("-----");

QString Formatted(double value, int slot, const DecimalDigitsTable& digits) {
    return QString::fromStdString(FormatValue(value, slot, digits));
}

// A stored size of exactly 0 means the layer has no limit of its own.
QString SizeText(float value, const ViewInputs& inputs) {
    if (value == 0.0f) return QString::fromLatin1(kNoLimitText.data(), kNoLimitText.size());
    return Formatted(value, WidthLengthSlot(inputs.model.UnitSystem), inputs.digits);
}

QString MissingResultText(ResultStatus status) {
    const std::string_view mark = MissingResultMark(status);
    return QString::fromLatin1(mark.data(), static_cast<qsizetype>(mark.size()));
}

QString MaterialName(const ViewInputs& inputs, const Layer& layer) {
    if (layer.MaterialId == 0) return kNoMaterial;
    const int index = FindMaterialIndex(inputs.materials, layer.MaterialId);
    return FromModelText(inputs.materials.Materials[static_cast<std::size_t>(index)].Name);
}

DataTableRowTexts HeatSourceTexts(const ViewInputs& inputs) {
    const Layer& source = inputs.model.Layers[0];
    DataTableRowTexts texts;
    texts.Material = {
        Formatted(inputs.model.PowerDissipation, kPowerSlot, inputs.digits) + QStringLiteral(" W"),
        QStringLiteral("Heat Source")};
    texts.Size = {SizeText(source.Width, inputs), SizeText(source.Length, inputs)};
    return texts;
}

DataTableRowTexts LayerTexts(const ViewInputs& inputs, int row) {
    const Layer& layer = inputs.model.Layers[static_cast<std::size_t>(row)];
    DataTableRowTexts texts;
    texts.Material = {MaterialName(inputs, layer), QStringLiteral("(%1)").arg(row)};
    texts.Size = {SizeText(layer.Width, inputs), SizeText(layer.Length, inputs)};
    texts.Thickness =
        Formatted(layer.Thickness, ThicknessSlot(inputs.model.UnitSystem), inputs.digits);
    texts.Angle = QString::fromStdString(FormatDecimals(layer.SpreadAngle, 0));
    if (HasResult(layer)) {
        texts.Temperature = Formatted(static_cast<double>(layer.TopTemp) - kKelvinOffset,
                                      kTemperatureSlot, inputs.digits);
        texts.Resistance = Formatted(layer.Resistance, kResistanceSlot, inputs.digits);
    } else {
        texts.Temperature = MissingResultText(layer.Status);
        texts.Resistance = texts.Temperature;
    }
    return texts;
}

DataTableRowTexts IsothermalTexts(const ViewInputs& inputs) {
    DataTableRowTexts texts;
    texts.Material = {QStringLiteral("Isothermal"), QStringLiteral("Layer")};
    texts.Temperature = Formatted(inputs.model.IsothermalTemp, kTemperatureSlot, inputs.digits);
    const std::optional<float> total = TotalResistance(inputs.model);
    texts.Resistance = total ? Formatted(*total, kResistanceSlot, inputs.digits)
                             : MissingResultText(ResultStatus::DependsOnFailedLayer);
    return texts;
}

}  // namespace

DataTableHeadings HeadingTexts(bool longHeadings, LengthUnit unit) {
    const QString length =
        QString::fromUtf8(UnitLabel(unit).data(), static_cast<qsizetype>(UnitLabel(unit).size()));
    if (longHeadings) {
        return {{{"Material", "(Layer)", "--"},
                 {"Width,", "Length", length},
                 {"Layer", "Thickness", length},
                 {"Spread", "Angle", "degrees"},
                 {"Layer", "Top Temp", kDegree + "C"},
                 {"Thermal", "Resistance", kDegree + "C / W"}}};
    }
    return {{{"Material", "(Layer)", "--"},
             {"Width,", "Length", length},
             {"Layer", "Thick", length},
             {"Sprd", "Ang", "deg"},
             {"Layer", "Temp", kDegree + "C"},
             {"Thermal", "Resist", kDegree + "C/W"}}};
}

DataTableRowTexts RowTexts(const ViewInputs& inputs, int row) {
    if (row == 0) return HeatSourceTexts(inputs);
    if (row <= StackLayerCount(inputs.model.LayerCount)) return LayerTexts(inputs, row);
    return IsothermalTexts(inputs);
}

QColor RowColor(const ViewInputs& inputs, int row) {
    if (row == 0) return QColor(255, 0, 0);
    if (row <= StackLayerCount(inputs.model.LayerCount)) {
        return PaletteColor(inputs.palette,
                            inputs.model.Layers[static_cast<std::size_t>(row)].ColorIndex);
    }
    return QColor(0, 0, 128);
}

QColor TotalColor() {
    return QColor(255, 0, 0);
}

}  // namespace strativex
