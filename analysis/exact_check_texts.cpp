#include "analysis/exact_check_texts.h"

#include <cmath>

#include "core/number_text.h"
#include "core/units.h"
#include "views/surface/model_text.h"

namespace strativex {
namespace {

constexpr int kPercentDecimals = 2;
constexpr int kAngleDecimals = 2;
constexpr int kSecondsDecimals = 2;
const QString kNone = QStringLiteral("\u2014");

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString Number(double value, int slot, const DecimalDigitsTable& digits) {
    return Text(FormatValue(value, slot, digits));
}

QString Degrees(double value, const DecimalDigitsTable& digits) {
    return Number(value, kTemperatureSlot, digits) + QStringLiteral(" \u00B0C");
}

QString WithError(double value, double errorK, const DecimalDigitsTable& digits) {
    return Degrees(value, digits) + QStringLiteral(" \u00B1 ") +
           Number(errorK, kTemperatureSlot, digits) + QStringLiteral(" K");
}

QString Resistance(double value, const DecimalDigitsTable& digits) {
    return Number(value, kResistanceSlot, digits) + QStringLiteral(" \u00B0C/W");
}

QString SignedPercent(double value) {
    return (value > 0.0 ? QStringLiteral("+") : QString()) +
           Text(FormatDecimals(value, kPercentDecimals));
}

QString Angle(double value) {
    return Text(FormatDecimals(value, kAngleDecimals)) + QStringLiteral("\u00B0");
}

QString EstimateText(const exact::ExactResult& r, const DecimalDigitsTable& digits) {
    if (!r.Sources.IsSingle()) return QStringLiteral("not compared: it knows one source only");
    if (!r.EstimateSourceTempC) return QStringLiteral("no result");
    QString text = Degrees(*r.EstimateSourceTempC, digits);
    if (r.EstimateResistance)
        text += QStringLiteral(", ") + Resistance(*r.EstimateResistance, digits);
    return text;
}

QString EstimateErrorText(const exact::ExactResult& r) {
    if (!r.EstimateErrorPercent) return kNone;
    const double error = *r.EstimateErrorPercent;
    return (r.EstimateWithSinkTempC ? QStringLiteral("with the sink: ") : QString()) +
           SignedPercent(error) + QStringLiteral(" % of the 3-D rise") +
           (error < 0.0 ? QStringLiteral(": optimistic") : QStringLiteral(": pessimistic"));
}

QString BaseText(const exact::ExactResult& r, const DecimalDigitsTable& digits) {
    const QString ambient = Degrees(r.BaseTempC, digits);
    if (!r.SinkResistance || !r.SinkHeatTransfer) {
        return QStringLiteral("isothermal at ") + ambient;
    }
    return QStringLiteral("h = %1 W/m\u00B2\u00B7K to ")
               .arg(Text(FormatDecimals(*r.SinkHeatTransfer, 1))) +
           ambient + QStringLiteral(", a heat sink of ") + Resistance(*r.SinkResistance, digits);
}

QString EstimateWithSinkText(const exact::ExactResult& r, const DecimalDigitsTable& digits) {
    if (!r.EstimateWithSinkTempC) {
        return r.SinkResistance ? QStringLiteral("no result") : kNone;
    }
    return Degrees(*r.EstimateWithSinkTempC, digits) +
           QStringLiteral(": the estimate with the heat sink's resistance in series");
}

QString HeatedAreaText(const exact::ExactResult& r) {
    if (!r.Sources.IsSingle()) {
        return QStringLiteral(
                   "%1 \u00D7 %2 copies of the device; the temperatures above are the hottest "
                   "one's")
            .arg(r.Sources.CountX)
            .arg(r.Sources.CountY);
    }
    if (!r.SourceClipped) return QStringLiteral("the whole device");
    return QStringLiteral(
        "clipped: the device is larger than layer 1, so the 3-D check heats only where they "
        "meet, at the full power, while the estimate takes the whole device");
}

QString CouplingText(const exact::ExactResult& r, const DecimalDigitsTable& digits) {
    if (!r.Coupling || !r.LoneSourceTempC) return kNone;
    return Text(FormatDecimals(*r.Coupling, 3)) +
           QStringLiteral(" \u00D7 the rise of one source alone (%1, a second 3-D check)")
               .arg(Degrees(*r.LoneSourceTempC, digits));
}

QString AngleText(const exact::ExactResult& r) {
    if (!r.Sources.IsSingle()) return kNone;
    if (!r.EquivalentAngleDeg) {
        return QStringLiteral("none: no angle from 0\u00B0 to 89\u00B0 reproduces the 3-D average");
    }
    return Angle(*r.EquivalentAngleDeg) +
           QStringLiteral(": given to every layer, the estimate meets the 3-D average");
}

QString DiscretisationText(const exact::ExactResult& r) {
    const QString share = Text(FormatDecimals(r.AverageErrorPercent, kPercentDecimals)) +
                          QStringLiteral(" % of the average rise");
    if (r.ErrorBoundConservative) {
        return share + QStringLiteral(
                           " (a conservative bound: the three grids show no steady order of "
                           "convergence)");
    }
    return share + QStringLiteral(" (from three grids, converging at order %1)")
                       .arg(Text(FormatDecimals(r.ObservedOrder.value_or(2.0), 1)));
}

QString GridText(const exact::ExactResult& r) {
    return QStringLiteral("%1 cells in a quarter of the stack; %2 iterations; %3 s")
        .arg(r.Cells)
        .arg(r.SolverIterations)
        .arg(Text(FormatDecimals(r.Seconds, kSecondsDecimals)));
}

// The estimate's layer top against the 3-D one, in % of the latter's rise above the base.
QString LayerErrorText(const exact::ExactResult& r, std::size_t at) {
    if (at >= r.EstimateLayerTopTempC.size()) return kNone;
    const double rise = r.LayerTopTempC[at] - r.BaseTempC;
    if (!(std::fabs(rise) > 0.0)) return kNone;
    return SignedPercent(100.0 * (r.EstimateLayerTopTempC[at] - r.LayerTopTempC[at]) / rise);
}

}  // namespace

std::vector<ExactNumberRow> ExactNumberCaptions() {
    return {
        {QStringLiteral("ValAverageSource"), QStringLiteral("Average source temperature"), {}},
        {QStringLiteral("ValPeakSource"), QStringLiteral("Peak source temperature"), {}},
        {QStringLiteral("ValAverageResistance"), QStringLiteral("Resistance, average"), {}},
        {QStringLiteral("ValPeakResistance"), QStringLiteral("Resistance, peak"), {}},
        {QStringLiteral("ValBase"), QStringLiteral("Base"), {}},
        {QStringLiteral("ValEstimate"), QStringLiteral("Spreading-angle estimate"), {}},
        {QStringLiteral("ValEstimateWithSink"), QStringLiteral("Estimate + heat sink"), {}},
        {QStringLiteral("ValEstimateError"), QStringLiteral("Estimate's error"), {}},
        {QStringLiteral("ValHeatedArea"), QStringLiteral("Heated area"), {}},
        {QStringLiteral("ValCoupling"), QStringLiteral("Coupling"), {}},
        {QStringLiteral("ValEquivalentAngle"), QStringLiteral("Equivalent angle"), {}},
        {QStringLiteral("ValDiscretisation"), QStringLiteral("Discretisation error"), {}},
        {QStringLiteral("ValGrid"), QStringLiteral("Grid"), {}},
    };
}

std::vector<ExactNumberRow> ExactNumberRows(const exact::ExactResult& r,
                                            const DecimalDigitsTable& digits) {
    const QStringList values{
        WithError(r.AverageSourceTempC, r.AverageErrorK, digits),
        WithError(r.PeakSourceTempC, r.PeakErrorK, digits),
        Resistance(r.AverageResistance, digits),
        Resistance(r.PeakResistance, digits),
        BaseText(r, digits),
        EstimateText(r, digits),
        EstimateWithSinkText(r, digits),
        EstimateErrorText(r),
        HeatedAreaText(r),
        CouplingText(r, digits),
        AngleText(r),
        DiscretisationText(r),
        GridText(r),
    };
    std::vector<ExactNumberRow> rows = ExactNumberCaptions();
    for (std::size_t n = 0; n < rows.size(); ++n) {
        rows[n].Value = values[static_cast<qsizetype>(n)];
    }
    return rows;
}

QStringList ExactSourceHeadings(LengthUnit unit) {
    const QString in =
        QString::fromLatin1(UnitLabel(unit).data(), static_cast<qsizetype>(UnitLabel(unit).size()));
    return {QStringLiteral("x (%1)").arg(in), QStringLiteral("y (%1)").arg(in),
            QStringLiteral("Average (°C)"), QStringLiteral("± (K)"), QStringLiteral("Peak (°C)")};
}

std::vector<QStringList> ExactSourceRows(const exact::ExactResult& r,
                                         const DecimalDigitsTable& digits) {
    std::vector<QStringList> rows;
    for (std::size_t n = 0; n < r.SourceTemps.size(); ++n) {
        const exact::SourceTemperature& source = r.SourceTemps[n];
        const QString mark = n == r.HottestSource ? QStringLiteral(" *") : QString();
        rows.push_back({Text(ShortestText(source.X).value_or("")),
                        Text(ShortestText(source.Y).value_or("")),
                        Number(source.AverageC, kTemperatureSlot, digits) + mark,
                        Number(source.AverageErrorK, kTemperatureSlot, digits),
                        Number(source.PeakC, kTemperatureSlot, digits)});
    }
    return rows;
}

QStringList ExactLayerHeadings() {
    return {QStringLiteral("Layer"), QStringLiteral("3-D top (\u00B0C)"),
            QStringLiteral("\u00B1 (K)"), QStringLiteral("Estimate (\u00B0C)"),
            QStringLiteral("Estimate's error (%)")};
}

std::vector<QStringList> ExactLayerRows(const exact::ExactResult& r, const Model& model,
                                        const DecimalDigitsTable& digits) {
    std::vector<QStringList> rows;
    const int count = std::min<int>(model.LayerCount, static_cast<int>(r.LayerTopTempC.size()));
    for (int i = 1; i <= count; ++i) {
        const auto at = static_cast<std::size_t>(i - 1);
        const QString description = FromModelText(model.Layers[i].Description);
        rows.push_back({
            description.isEmpty() ? QString::number(i)
                                  : QStringLiteral("%1  %2").arg(i).arg(description),
            Number(r.LayerTopTempC[at], kTemperatureSlot, digits),
            at < r.LayerTopErrorK.size() ? Number(r.LayerTopErrorK[at], kTemperatureSlot, digits)
                                         : kNone,
            at < r.EstimateLayerTopTempC.size()
                ? Number(r.EstimateLayerTopTempC[at], kTemperatureSlot, digits)
                : kNone,
            LayerErrorText(r, at),
        });
    }
    return rows;
}

QString ExactPictureCaption(const exact::ExactResult& r, const Model& model,
                            const DecimalDigitsTable& digits) {
    QString caption = FromModelText(model.ModelName) + QStringLiteral(": 3-D average ") +
                      Degrees(r.AverageSourceTempC, digits) + QStringLiteral(", peak ") +
                      Degrees(r.PeakSourceTempC, digits);
    if (r.EstimateSourceTempC && r.EstimateErrorPercent) {
        caption += QStringLiteral("; estimate ") + Degrees(*r.EstimateSourceTempC, digits) +
                   QStringLiteral(" (") + SignedPercent(*r.EstimateErrorPercent) +
                   QStringLiteral(" %)");
    }
    if (r.Coupling) {
        caption += QStringLiteral("; %1 \u00D7 %2 sources, hottest shown, coupling ")
                       .arg(r.Sources.CountX)
                       .arg(r.Sources.CountY) +
                   Text(FormatDecimals(*r.Coupling, 3));
        return caption;
    }
    caption += QStringLiteral("; equivalent angle ") +
               (r.EquivalentAngleDeg ? Angle(*r.EquivalentAngleDeg) : QStringLiteral("none"));
    return caption;
}

}  // namespace strativex
