#include "views/exact_check/exact_section_geometry.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

#include "views/exact_check/exact_picture_texts.h"
#include "views/exact_check/exact_section_field.h"
#include "views/plot/plot_style.h"

namespace strativex {
namespace {

constexpr double kMargin = 8.0;
constexpr double kLabelGap = 4.0;
constexpr double kBarGap = 16.0;
constexpr double kBarWidth = 14.0;
constexpr double kXLabelPadding = 18.0;
constexpr double kPixelsPerDepthTick = 32.0;
constexpr double kPixelsPerColourTick = 40.0;
constexpr int kMostDepthTicks = 8;
constexpr int kMostXTicks = 10;
constexpr int kMostColourTicks = 9;
// A map at true proportions that would fill less than this share of its box in one direction
// is stretched in that direction by a round factor instead.
constexpr double kLeastShare = 0.5;

struct Metrics {
    QFontMetricsF Tick{PlotFont(PlotFontRole::Tick)};
    QFontMetricsF Title{PlotFont(PlotFontRole::Title)};
    QFontMetricsF Legend{PlotFont(PlotFontRole::Legend)};
};

// The largest of 1, 2, 5, 10, 20, ... that is not above `ratio` (at least 1).
double RoundFactorBelow(double ratio) {
    if (!(ratio > 1.0)) return 1.0;
    const double decade = std::pow(10.0, std::floor(std::log10(ratio)));
    for (const double factor : {5.0, 2.0, 1.0}) {
        if (factor * decade <= ratio * (1.0 + 1e-12)) return factor * decade;
    }
    return decade;
}

// The centres of the sources across the width, each once; 0 for a single source.
std::vector<double> SourceColumns(const exact::ExactResult& result) {
    std::vector<double> columns;
    for (const exact::SourceTemperature& source : result.SourceTemps) {
        if (std::find(columns.begin(), columns.end(), source.X) == columns.end()) {
            columns.push_back(source.X);
        }
    }
    return columns.empty() ? std::vector<double>{0.0} : columns;
}

void SetRegion(SectionGeometry& g, const ExactPictureInputs& inputs) {
    const exact::CrossSection& section = inputs.result.Section;
    double half = section.X.back();
    if (inputs.extent == SectionExtent::AroundSource) {
        const std::vector<double> columns = SourceColumns(inputs.result);
        const double reach = *std::max_element(columns.begin(), columns.end()) +
                             inputs.result.WidthProfile.SourceHalfSize;
        half = std::min(half, reach + section.Z.back());
    }
    g.Left = -half;
    g.Right = half;
    g.Depth = section.Z.back();
}

// From the base, which the bottom face holds, to the hottest of the source and the cells.
PlotAxis ColourAxis(const exact::ExactResult& result, int ticks) {
    double low = result.BaseTempC;
    double high = result.PeakSourceTempC;
    for (const double t : result.Section.TempC) {
        if (std::isnan(t)) continue;
        low = std::min(low, t);
        high = std::max(high, t);
    }
    return ExactAxis(low, high, ticks);
}

double WidestText(const QFontMetricsF& metrics, const std::vector<double>& values,
                  QString (*text)(double)) {
    double widest = 0.0;
    for (const double value : values) {
        widest = std::max(widest, metrics.horizontalAdvance(text(value)));
    }
    return widest;
}

// Fills the box across or down at true proportions, or stretched by a round factor where
// that would leave most of the box empty.
void Scale(SectionGeometry& g, const QRectF& box) {
    const double across = box.width() / (g.Right - g.Left);
    const double down = box.height() / g.Depth;
    const double ratio = down / across;
    if (ratio >= 1.0) {
        g.ScaleX = across;
        g.ScaleZ = across * (ratio * kLeastShare > 1.0 ? RoundFactorBelow(ratio) : 1.0);
    } else {
        g.ScaleZ = down;
        g.ScaleX = down * (kLeastShare > ratio ? RoundFactorBelow(1.0 / ratio) : 1.0);
    }
    const double height = g.Depth * g.ScaleZ;
    g.SpareHeight = std::max(0.0, box.height() - height);
    g.Map =
        QRectF(box.left(), box.top() + g.SpareHeight / 2.0, (g.Right - g.Left) * g.ScaleX, height);
}

void AddColourScale(SectionGeometry& g, const QFontMetricsF& metrics) {
    g.Bar = QRectF(g.Map.right() + kBarGap, g.Map.top(), kBarWidth, g.Map.height());
    for (const double tick : g.Colours.Ticks) {
        const double y = g.Bar.bottom() - g.Colours.Fraction(tick) * g.Bar.height();
        g.Ticks.emplace_back(g.Bar.right(), y, g.Bar.right() + kPlotTickLength, y);
        const double left = g.Bar.right() + kPlotTickLength + kLabelGap;
        g.Labels.push_back(
            {QRectF(left, y - metrics.height() / 2.0,
                    metrics.horizontalAdvance(DegreesTickText(tick)) + 2.0, metrics.height()),
             DegreesTickText(tick), Qt::AlignLeft | Qt::AlignVCenter});
    }
}

void AddXAxis(SectionGeometry& g, const QFontMetricsF& metrics) {
    const double label = WidestText(metrics, {g.Left, g.Right}, PictureTickText) + kXLabelPadding;
    const int most = std::clamp(static_cast<int>(g.Map.width() / label), 2, kMostXTicks);
    const double top = g.Map.bottom() + kPlotTickLength + kLabelGap;
    double previousRight = -1e9;
    for (const double tick : ExactAxis(g.Left, g.Right, most).Ticks) {
        const double x = g.At(tick, 0.0).x();
        g.Ticks.emplace_back(x, g.Map.bottom(), x, g.Map.bottom() + kPlotTickLength);
        const QString text = PictureTickText(tick);
        const double width = metrics.horizontalAdvance(text);
        if (x - width / 2.0 < previousRight + kLabelGap) continue;
        previousRight = x + width / 2.0;
        g.Labels.push_back({QRectF(x - width / 2.0 - 1.0, top, width + 2.0, metrics.height()), text,
                            Qt::AlignHCenter | Qt::AlignTop});
    }
}

void AddDepthAxis(SectionGeometry& g, const QFontMetricsF& metrics, double labelWidth) {
    const int most =
        std::clamp(static_cast<int>(g.Map.height() / kPixelsPerDepthTick) + 1, 2, kMostDepthTicks);
    const double right = g.Map.left() - kPlotTickLength - kLabelGap;
    for (const double tick : ExactAxis(0.0, g.Depth, most).Ticks) {
        const double y = g.At(0.0, tick).y();
        g.Ticks.emplace_back(g.Map.left() - kPlotTickLength, y, g.Map.left(), y);
        g.Labels.push_back(
            {QRectF(right - labelWidth, y - metrics.height() / 2.0, labelWidth, metrics.height()),
             PictureTickText(tick), Qt::AlignRight | Qt::AlignVCenter});
    }
}

void AddBody(SectionGeometry& g, const exact::ExactResult& result) {
    for (const exact::LayerOutline& layer : result.Outlines) {
        const double left = std::max(-layer.HalfWidth, g.Left);
        const double right = std::min(layer.HalfWidth, g.Right);
        g.Outlines.emplace_back(g.At(left, layer.Top), g.At(right, layer.Bottom));
    }
    const double half = result.WidthProfile.SourceHalfSize;
    for (const double centre : SourceColumns(result)) {
        const double left = std::max(centre - half, g.Left);
        const double right = std::min(centre + half, g.Right);
        if (left < right) g.Sources.emplace_back(g.At(left, 0.0), g.At(right, 0.0));
    }
    const SectionField field(result.Section);
    const double slack = 1e-9 * (g.Colours.High - g.Colours.Low);
    for (const double level : g.Colours.Ticks) {
        if (level <= g.Colours.Low + slack || level >= g.Colours.High - slack) continue;
        IsothermLines lines{level, {}};
        for (const QLineF& segment : field.Isotherm(level)) {
            if (std::max(segment.x1(), segment.x2()) < g.Left ||
                std::min(segment.x1(), segment.x2()) > g.Right) {
                continue;
            }
            lines.Segments.emplace_back(g.At(segment.x1(), segment.y1()),
                                        g.At(segment.x2(), segment.y2()));
        }
        g.Isotherms.push_back(std::move(lines));
    }
}

double IsothermStep(const PlotAxis& colours) {
    return colours.Ticks.size() > 1 ? colours.Ticks[1] - colours.Ticks[0] : colours.High;
}

void AddTitles(SectionGeometry& g, const ExactPictureInputs& inputs, const Metrics& metrics) {
    const double titleHeight = metrics.Title.height();
    g.Labels.push_back({QRectF(kMargin, kMargin, g.Size.width() - 2 * kMargin, titleHeight),
                        QStringLiteral("Temperature in the cut through the centre, across the "
                                       "width"),
                        Qt::AlignLeft | Qt::AlignVCenter, PlotFontRole::Title});
    g.Labels.push_back(
        {QRectF(kMargin, g.Map.top(), titleHeight, g.Map.height()),
         metrics.Title.elidedText(LengthAxisTitle(QStringLiteral("Depth"), inputs.unit),
                                  Qt::ElideRight, g.Map.height()),
         Qt::AlignCenter, PlotFontRole::Title, kAxisColor, true});
    const double below = g.Map.bottom() + kPlotTickLength + 2 * kLabelGap + metrics.Tick.height();
    g.Labels.push_back({QRectF(g.Map.left(), below, g.Map.width(), titleHeight),
                        LengthAxisTitle(QStringLiteral("Across the width"), inputs.unit),
                        Qt::AlignCenter, PlotFontRole::Title});
    g.Labels.push_back({QRectF(kMargin, below + titleHeight + kLabelGap,
                               g.Size.width() - 2 * kMargin, metrics.Legend.height()),
                        SectionCaption(g.DepthExaggeration(), IsothermStep(g.Colours)),
                        Qt::AlignLeft | Qt::AlignVCenter, PlotFontRole::Legend});
}

}  // namespace

SectionGeometry ComputeExactSection(const ExactPictureInputs& inputs, QSizeF size) {
    const Metrics metrics;
    SectionGeometry g;
    g.Size = size;
    SetRegion(g, inputs);
    const double top = kMargin + metrics.Title.height() + 2 * kLabelGap;
    const double bottom = kPlotTickLength + 3 * kLabelGap + metrics.Tick.height() +
                          metrics.Title.height() + metrics.Legend.height() + kMargin;
    const double height = std::max(1.0, size.height() - top - bottom);
    const int colourTicks =
        std::clamp(static_cast<int>(height / kPixelsPerColourTick) + 1, 3, kMostColourTicks);
    g.Colours = ColourAxis(inputs.result, colourTicks);
    const double depthLabels =
        WidestText(metrics.Tick, ExactAxis(0.0, g.Depth, kMostDepthTicks).Ticks, PictureTickText);
    const double left =
        kMargin + metrics.Title.height() + 2 * kLabelGap + depthLabels + kPlotTickLength;
    const double right = kBarGap + kBarWidth + kPlotTickLength + kLabelGap +
                         WidestText(metrics.Tick, g.Colours.Ticks, DegreesTickText) + kMargin;
    const QRectF box(left, top, std::max(1.0, size.width() - left - right), height);
    Scale(g, box);
    AddColourScale(g, metrics.Tick);
    AddXAxis(g, metrics.Tick);
    AddDepthAxis(g, metrics.Tick, depthLabels);
    AddBody(g, inputs.result);
    AddTitles(g, inputs, metrics);
    return g;
}

}  // namespace strativex
