#include "views/report/transient_summary_of.h"

#include <memory>

#include "views/plot/plot_curves.h"
#include "views/plot/transient_plots.h"

namespace strativex {
namespace {

// The picture is laid out this wide in layout pixels, then scaled to its place, so that its
// text keeps to the page's small print.
constexpr double kReportPictureWidth = 400.0;

}  // namespace

std::optional<TransientSummary> TransientSummaryOf(const exact::TransientReport& report,
                                                   const exact::BaseCondition& base) {
    if (!report.HasNetworks()) return std::nullopt;
    auto kept = std::make_shared<const exact::TransientReport>(report);
    TransientSummary summary;
    summary.SteadyZthAverage = kept->Curve.SteadyZthAverage;
    summary.SteadyZthPeak = kept->Curve.SteadyZthPeak;
    summary.FitErrorPercent = kept->Foster.ErrorPercent;
    summary.Base = QString::fromStdString(exact::BaseConditionText(base));
    summary.Foster = kept->Foster.Network;
    summary.Cauer = kept->Cauer;
    summary.DrawZth = [kept](QPainter& painter, const QRectF& target) {
        CurvePlotInputs plot = ZthPlot(kept.get());
        plot.Title.clear();
        PaintCurvePlot(painter, target, target.width() / kReportPictureWidth, plot);
    };
    return summary;
}

}  // namespace strativex
