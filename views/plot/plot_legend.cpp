#include "views/plot/plot_legend.h"

#include <QFontMetricsF>

#include "views/plot/plot_style.h"

namespace strativex {
namespace {

constexpr double kLabelGap = 4.0;
constexpr double kLegendSample = 22.0;
constexpr double kLegendSpacing = 14.0;

}  // namespace

double LayOutPlotLegend(const std::vector<PlotLegendItem>& items, double left, double right,
                        double top, std::vector<PlotLegendEntry>& legend,
                        std::vector<PlotLabel>& labels) {
    const QFontMetricsF metrics(PlotFont(PlotFontRole::Legend));
    const double rowHeight = metrics.height();
    double x = left;
    double y = top;
    for (const PlotLegendItem& item : items) {
        const double width = kLegendSample + kLabelGap + metrics.horizontalAdvance(item.Text);
        if (x > left && x + width > right) {
            x = left;
            y += rowHeight;
        }
        legend.push_back({QRectF(x, y + 2.0, kLegendSample, rowHeight - 4.0), item.Line});
        labels.push_back(
            {QRectF(x + kLegendSample + kLabelGap, y, width - kLegendSample, rowHeight), item.Text,
             Qt::AlignLeft | Qt::AlignVCenter, PlotFontRole::Legend});
        x += width + kLegendSpacing;
    }
    return y + rowHeight;
}

}  // namespace strativex
