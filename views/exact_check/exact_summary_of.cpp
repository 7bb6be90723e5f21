#include "views/exact_check/exact_summary_of.h"

#include "views/exact_check/exact_section_painter.h"

namespace strativex {
namespace {

// The map is laid out at this width and scaled to the box it is given, so that it looks the
// same on a page, in a preview and on the screen.
constexpr double kLayoutWidth = 440.0;

}  // namespace

std::optional<ExactCheckSummary> SummaryOf(const exact::ExactResult& result, LengthUnit unit) {
    if (result.Status != exact::ExactStatus::Ok) return std::nullopt;
    ExactCheckSummary summary{std::make_shared<const exact::ExactResult>(result), {}};
    // A result stripped of its pictures, as the calculator keeps most, gives the numbers alone.
    if (result.Section.X.empty()) return summary;
    summary.DrawCrossSection = [shared = summary.Result, unit](QPainter& painter,
                                                               const QRectF& box) {
        if (box.width() <= 0.0) return;
        PaintExactSection(painter, box, box.width() / kLayoutWidth, {*shared, unit});
    };
    return summary;
}

}  // namespace strativex
