#include "views/exact_summary_of.h"

#include "views/exact_section_painter.h"

namespace strativex {
namespace {

// The map is laid out at this width and scaled to the box it is given, so that it looks the
// same on a page, in a preview and on the screen.
constexpr double kLayoutWidth = 440.0;

}  // namespace

ExactCheckSummary SummaryOf(std::shared_ptr<const exact::ExactResult> result, LengthUnit unit) {
    const exact::ExactResult& r = *result;
    ExactCheckSummary summary;
    summary.AverageSourceTempC = r.AverageSourceTempC;
    summary.PeakSourceTempC = r.PeakSourceTempC;
    summary.AverageResistance = r.AverageResistance;
    summary.PeakResistance = r.PeakResistance;
    summary.AverageErrorPercent = r.AverageErrorPercent;
    summary.EstimateErrorPercent = r.EstimateErrorPercent;
    summary.EquivalentAngleDeg = r.EquivalentAngleDeg;
    summary.EstimateWithSinkTempC = r.EstimateWithSinkTempC;
    summary.SourceClipped = r.SourceClipped;
    if (r.SinkResistance)
        summary.BaseText = QString::fromStdString(exact::BaseConditionText(r.Base));
    summary.LayerTopTempC = r.LayerTopTempC;
    summary.Cells = r.Cells;
    // A result stripped of its pictures, as the calculator keeps most, gives the numbers alone.
    if (r.Section.X.empty()) return summary;
    summary.DrawCrossSection = [result, unit](QPainter& painter, const QRectF& box) {
        if (box.width() <= 0.0) return;
        PaintExactSection(painter, box, box.width() / kLayoutWidth, {*result, unit});
    };
    return summary;
}

}  // namespace strativex
