#include "views/plot/transient_plots.h"

#include <QObject>

#include "exact/pulse_response.h"
#include "views/plot/plot_style.h"

namespace strativex {
namespace {

const QColor kFitColor{32, 32, 32};

QString TimeTitle() {
    return QObject::tr("Time after the power step (s)");
}

CurvePlotInputs Empty(CurvePlotInputs plot, const exact::TransientReport* report) {
    if (report == nullptr || !report->HasCurve()) {
        plot.Empty = QObject::tr("Click Compute");
    } else {
        plot.Empty = QObject::tr("No network: %1").arg(QString::fromStdString(report->Reason));
    }
    return plot;
}

bool HasNetworks(const exact::TransientReport* report) {
    return report != nullptr && report->HasNetworks();
}

// Cumulative values change at each rung: held flat along its resistance, then stepped up.
CurvePlotSeries Staircase(const std::vector<double>& r, const std::vector<double>& c) {
    CurvePlotSeries series{QObject::tr("Cumulative Cth"), {kResistanceColor, 2.0}, {}, {}};
    for (std::size_t k = 0; k < r.size(); ++k) {
        if (k > 0) {
            series.X.push_back(r[k]);
            series.Y.push_back(c[k - 1]);
        }
        series.X.push_back(r[k]);
        series.Y.push_back(c[k]);
    }
    return series;
}

}  // namespace

CurvePlotInputs ZthPlot(const exact::TransientReport* report) {
    CurvePlotInputs plot{QObject::tr("Thermal impedance"),
                         TimeTitle(),
                         QObject::tr("Zth (K/W)"),
                         AxisScale::Logarithmic,
                         AxisScale::Linear,
                         {},
                         {}};
    if (report == nullptr || !report->HasCurve()) return Empty(plot, report);
    const exact::TransientResult& curve = report->Curve;
    plot.Series.push_back(
        {QObject::tr("Zth average"), {kExactAverageColor, 2.0}, curve.TimeS, curve.ZthAverage});
    plot.Series.push_back(
        {QObject::tr("Zth peak"), {kSourceColor, 2.0}, curve.TimeS, curve.ZthPeak});
    if (report->HasNetworks()) {
        CurvePlotSeries fit{QObject::tr("Foster fit to the peak"),
                            {kFitColor, 1.25, Qt::DashLine},
                            curve.TimeS,
                            {}};
        for (const double time : curve.TimeS) {
            fit.Y.push_back(exact::FosterZth(report->Foster.Network, time));
        }
        plot.Series.push_back(std::move(fit));
    }
    return plot;
}

CurvePlotInputs PulsePlot(const exact::TransientReport* report) {
    CurvePlotInputs plot{QObject::tr("Pulses (peak, periodic steady state)"),
                         QObject::tr("Pulse width (s)"),
                         QObject::tr("Zth (K/W)"),
                         AxisScale::Logarithmic,
                         AxisScale::Logarithmic,
                         {},
                         {}};
    if (!HasNetworks(report)) return Empty(plot, report);
    const std::vector<double>& widths = report->Curve.TimeS;
    const auto family = exact::PulseFamily(report->Foster.Network, widths);
    for (std::size_t i = 0; i < family.size(); ++i) {
        const exact::PulseCurve& pulses = family[i];
        const QString name =
            pulses.Duty ? QObject::tr("D = %1").arg(*pulses.Duty) : QObject::tr("Single pulse");
        const PlotLine line = pulses.Duty ? PlotLine{LayerSeriesColor(static_cast<int>(i)), 1.25}
                                          : PlotLine{kFitColor, 2.0};
        plot.Series.push_back({name, line, widths, pulses.Zth});
    }
    return plot;
}

CurvePlotInputs StructurePlot(const exact::TransientReport* report) {
    CurvePlotInputs plot{QObject::tr("Cumulative structure function"),
                         QObject::tr("Cumulative Rth from the junction (K/W)"),
                         QObject::tr("Cth (J/K)"),
                         AxisScale::Linear,
                         AxisScale::Logarithmic,
                         {},
                         {}};
    if (!HasNetworks(report)) return Empty(plot, report);
    const exact::StructureFunction& function = report->Structure;
    plot.Series.push_back(Staircase(function.CumulativeR, function.CumulativeC));
    return plot;
}

CurvePlotInputs DerivativePlot(const exact::TransientReport* report) {
    CurvePlotInputs plot{QObject::tr("Differential structure function"),
                         QObject::tr("Cumulative Rth from the junction (K/W)"),
                         QObject::tr("dCth/dRth (J/K\u00B2)"),
                         AxisScale::Linear,
                         AxisScale::Logarithmic,
                         {},
                         {}};
    if (!HasNetworks(report)) return Empty(plot, report);
    const exact::StructureFunction& function = report->Structure;
    plot.Series.push_back({QObject::tr("dCth/dRth"),
                           {kExactPeakColor, 2.0},
                           function.DerivativeR,
                           function.Derivative});
    return plot;
}

std::vector<CurvePlotInputs> TransientPlots(const exact::TransientReport* report) {
    return {ZthPlot(report), PulsePlot(report), StructurePlot(report), DerivativePlot(report)};
}

}  // namespace strativex
