#include "views/plot/plot_texts.h"

#include "core/sweep_check.h"
#include "core/units.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

const QString kDegree = QStringLiteral("\u00B0");
const QString kDash = QStringLiteral(" \u2014 ");

QString Latin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString Capitalised(QString text) {
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

QString Formatted(double value, int slot, const DecimalDigitsTable& digits) {
    return QString::fromStdString(FormatValue(value, slot, digits));
}

QString Celsius(double value, const DecimalDigitsTable& digits) {
    return Formatted(value, kTemperatureSlot, digits) + " " + kDegree + "C";
}

// The 3-D check at the point, where it ran there.
QString ExactReadout(const SweepPlotInputs& inputs, std::size_t index) {
    if (inputs.exact == nullptr) return {};
    for (const SweepExactPoint& exact : *inputs.exact) {
        if (exact.Index != index) continue;
        if (!exact.AverageC || !exact.PeakC) return QStringLiteral("; 3-D check: no result");
        return "; 3-D check average " + Celsius(*exact.AverageC, inputs.digits) + ", peak " +
               Celsius(*exact.PeakC, inputs.digits);
    }
    return {};
}

}  // namespace

QString SweptUnit(QuantityId quantity, LengthUnit unit) {
    switch (QuantityOf(quantity).Unit) {
        case UnitFamily::Temperature:
            return kDegree + "C";
        case UnitFamily::Angle:
            return kDegree;
        case UnitFamily::Power:
        case UnitFamily::Length:
        case UnitFamily::MaterialId:
            break;
    }
    return Latin1(UnitText(QuantityOf(quantity).Unit, unit));
}

QString SweptName(const SweepResult& sweep) {
    return Capitalised(
        QString::fromStdString(QuantityText(sweep.Request.Quantity, sweep.Request.Layer)));
}

QString SweptAxisTitle(const SweepResult& sweep) {
    const QString name = SweptName(sweep);
    const QString unit = SweptUnit(sweep.Request.Quantity, sweep.Unit);
    return unit.isEmpty() ? name : name + " (" + unit + ")";
}

QString TemperatureAxisTitle() {
    return "Temperature (" + kDegree + "C)";
}

QString ResistanceAxisTitle() {
    return "Total resistance (" + kDegree + "C/W)";
}

QString SweptValueText(const SweepPlotInputs& inputs, float value) {
    const SweepResult& sweep = inputs.sweep;
    if (sweep.Request.Quantity == QuantityId::Material) {
        const MaterialTable& table = inputs.materials;
        return FromModelText(
            table.Materials[FindMaterialIndex(table, static_cast<int>(value))].Name);
    }
    const QString unit = SweptUnit(sweep.Request.Quantity, sweep.Unit);
    const QString number = QString::fromStdString(NumberText(value));
    return unit == kDegree ? number + unit : number + " " + unit;
}

QString GapReason(const SweepPoint& point) {
    return QStringLiteral("layer %1: %2")
        .arg(point.FailedLayer)
        .arg(Latin1(MissingResultMark(point.Cause)));
}

QString PointReadout(const SweepPlotInputs& inputs, std::size_t index) {
    const SweepPoint& point = inputs.sweep.Points[index];
    const QString value =
        SweptName(inputs.sweep) + " " + SweptValueText(inputs, point.Value) + kDash;
    const QString exact = ExactReadout(inputs, index);
    if (!point.HasResult()) return value + GapReason(point) + exact;
    return value + "heat source " + Celsius(*point.HeatSourceTempC, inputs.digits) +
           ", total resistance " +
           Formatted(*point.TotalResistance, kResistanceSlot, inputs.digits) + " " + kDegree +
           "C/W" + exact;
}

}  // namespace strativex
