#include "views/plot/plot_geometry.h"

#include <QFontMetricsF>

#include <algorithm>
#include <cmath>

#include "core/number_format.h"
#include "views/plot/plot_legend.h"
#include "views/plot/plot_series.h"
#include "views/plot/plot_texts.h"

namespace strativex {
namespace {

constexpr double kMargin = 8.0;
constexpr double kLabelGap = 4.0;
constexpr double kLegendBelow = 8.0;
// About one grid line per 40 pixels of height; a tick label per its own width and a gap.
constexpr double kPixelsPerYTick = 40.0;
constexpr double kXLabelPadding = 18.0;
constexpr int kMostYTicks = 11;
constexpr int kMostXTicks = 12;
// Up to this many points each one shows as a dot.
constexpr std::size_t kMarkerLimit = 40;

struct Metrics {
    QFontMetricsF Tick{PlotFont(PlotFontRole::Tick)};
    QFontMetricsF Title{PlotFont(PlotFontRole::Title)};
};

QString TickText(double value) {
    return QString::fromStdString(NumberText(static_cast<float>(value)));
}

double WidestText(const QFontMetricsF& metrics, const std::vector<double>& ticks) {
    double widest = 0.0;
    for (const double tick : ticks) {
        widest = std::max(widest, metrics.horizontalAdvance(TickText(tick)));
    }
    return widest;
}

PlotLine ExactAverageLine() {
    return {kExactAverageColor, 1.5, Qt::DotLine};
}

PlotLine ExactPeakLine() {
    return {kExactPeakColor, 1.5, Qt::DotLine};
}

std::vector<PlotLegendItem> LegendItems(const SweepPlotInputs& inputs, bool gaps, bool modelShown) {
    std::vector<PlotLegendItem> items{
        {QStringLiteral("Heat source temperature"), PlotLine{kSourceColor, 2.0, Qt::SolidLine}},
        {QStringLiteral("Total resistance (right axis)"),
         PlotLine{kResistanceColor, 2.0, Qt::DashLine}},
    };
    if (inputs.layerTemps) {
        for (int i = 1; i <= inputs.sweep.LayerCount; ++i) {
            items.push_back({QStringLiteral("Layer %1 top").arg(i), PlotLine{LayerSeriesColor(i)}});
        }
    }
    if (inputs.exact != nullptr && !inputs.exact->empty()) {
        items.push_back({QStringLiteral("3-D check, average"), ExactAverageLine()});
        items.push_back({QStringLiteral("3-D check, peak"), ExactPeakLine()});
    }
    if (gaps) items.push_back({QStringLiteral("No result"), std::nullopt});
    if (modelShown) {
        items.push_back(
            {QStringLiteral("Model value"), PlotLine{kModelMarkColor, 1.0, Qt::DotLine}});
    }
    return items;
}

PlotAxis SweptAxis(const SweepPlotInputs& inputs, const PlotData& data, double width,
                   const QFontMetricsF& metrics) {
    const SweepResult& sweep = inputs.sweep;
    const auto count = static_cast<double>(sweep.Points.size());
    if (sweep.Request.Quantity == QuantityId::Material) {
        std::vector<double> ticks(sweep.Points.size());
        for (std::size_t i = 0; i < ticks.size(); ++i) ticks[i] = static_cast<double>(i);
        return {-0.5, count - 0.5, AxisScale::Linear, std::move(ticks)};
    }
    // A window shows its plot before the first sweep has run.
    if (data.X.empty()) return ExactAxis(0.0, 1.0, kMostXTicks);
    const auto [low, high] = std::minmax_element(data.X.begin(), data.X.end());
    const double label = WidestText(metrics, {*low, *high}) + kXLabelPadding;
    const int most = std::clamp(static_cast<int>(width / label), 2, kMostXTicks);
    return sweep.Request.Spacing == SweepSpacing::Logarithmic ? ExactLogAxis(*low, *high, most)
                                                              : ExactAxis(*low, *high, most);
}

void AddSweptLabels(SweepPlotGeometry& g, const SweepPlotInputs& inputs,
                    const QFontMetricsF& metrics) {
    const bool categories = inputs.sweep.Request.Quantity == QuantityId::Material;
    const double slot =
        g.Area.width() / std::max<double>(1.0, static_cast<double>(g.X.Ticks.size()));
    const double top = g.Area.bottom() + kPlotTickLength + kLabelGap;
    double previousRight = -1e9;
    for (const double tick : g.X.Ticks) {
        const double x = g.Area.left() + g.X.Fraction(tick) * g.Area.width();
        g.GridX.push_back(x);
        QString text =
            categories
                ? SweptValueText(inputs, inputs.sweep.Points[static_cast<std::size_t>(tick)].Value)
                : TickText(tick);
        if (categories) text = metrics.elidedText(text, Qt::ElideRight, slot - kLabelGap);
        const double width = metrics.horizontalAdvance(text);
        // Labels that would run into each other are left out; the grid line stays.
        if (x - width / 2.0 < previousRight + kLabelGap) continue;
        previousRight = x + width / 2.0;
        g.Labels.push_back({QRectF(x - width / 2.0 - 1.0, top, width + 2.0, metrics.height()), text,
                            Qt::AlignHCenter | Qt::AlignTop});
    }
}

void AddValueLabels(SweepPlotGeometry& g, const QFontMetricsF& metrics, double leftWidth,
                    double rightWidth) {
    const double height = metrics.height();
    for (std::size_t i = 0; i < g.Left.Ticks.size(); ++i) {
        const double y = g.Area.bottom() - g.Left.Fraction(g.Left.Ticks[i]) * g.Area.height();
        g.GridY.push_back(y);
        const double leftEdge = g.Area.left() - kPlotTickLength - kLabelGap - leftWidth;
        g.Labels.push_back({QRectF(leftEdge, y - height / 2.0, leftWidth, height),
                            TickText(g.Left.Ticks[i]), Qt::AlignRight | Qt::AlignVCenter});
        g.Labels.push_back({QRectF(g.Area.right() + kPlotTickLength + kLabelGap, y - height / 2.0,
                                   rightWidth, height),
                            TickText(g.Right.Ticks[i]), Qt::AlignLeft | Qt::AlignVCenter});
    }
}

void AddAxisTitles(SweepPlotGeometry& g, const SweepResult& sweep, const QFontMetricsF& metrics) {
    const double height = metrics.height();
    const auto vertical = [&](double x, const QString& text) {
        g.Labels.push_back({QRectF(x, g.Area.top(), height, g.Area.height()),
                            metrics.elidedText(text, Qt::ElideRight, g.Area.height()),
                            Qt::AlignCenter, PlotFontRole::Title, kAxisColor, true});
    };
    vertical(kMargin, TemperatureAxisTitle());
    vertical(g.Size.width() - kMargin - height, ResistanceAxisTitle());
    g.Labels.push_back(
        {QRectF(g.Area.left(), g.Size.height() - kMargin - height, g.Area.width(), height),
         metrics.elidedText(SweptAxisTitle(sweep), Qt::ElideRight, g.Area.width()), Qt::AlignCenter,
         PlotFontRole::Title});
}

void AddGapLabels(SweepPlotGeometry& g, const SweepResult& sweep, const QFontMetricsF& metrics) {
    for (const PlotGap& gap : g.Gaps) {
        const QString text = metrics.elidedText(GapReason(sweep.Points[gap.First]), Qt::ElideRight,
                                                gap.Band.width() - kLabelGap);
        // Too narrow to say anything: the read-out under the cursor still gives the reason.
        if (text.size() < 4) continue;
        g.Labels.push_back({QRectF(gap.Band.left(), gap.Band.top() + kLabelGap, gap.Band.width(),
                                   metrics.height()),
                            text, Qt::AlignHCenter | Qt::AlignTop, PlotFontRole::Tick,
                            kGapTextColor});
    }
}

// Where the model's own value lies in axis units; nothing when it is outside the sweep.
std::optional<double> ModelCoordinate(const SweepResult& sweep, const PlotData& data) {
    const float value = sweep.ModelValue;
    if (sweep.Request.Quantity == QuantityId::Material) {
        const auto at = std::find_if(sweep.Points.begin(), sweep.Points.end(),
                                     [&](const SweepPoint& point) { return point.Value == value; });
        if (at == sweep.Points.end()) return std::nullopt;
        return static_cast<double>(at - sweep.Points.begin());
    }
    if (data.X.empty()) return std::nullopt;
    const auto [low, high] = std::minmax_element(data.X.begin(), data.X.end());
    if (value < *low || value > *high) return std::nullopt;
    return value;
}

void PlaceSeries(SweepPlotGeometry& g, const PlotData& data, const SweepPlotInputs& inputs) {
    const QRectF& a = g.Area;
    const auto left = [&](double v) { return a.bottom() - g.Left.Fraction(v) * a.height(); };
    const auto right = [&](double v) { return a.bottom() - g.Right.Fraction(v) * a.height(); };
    const bool categories = inputs.sweep.Request.Quantity == QuantityId::Material;
    for (const double x : data.X) g.PointX.push_back(a.left() + g.X.Fraction(x) * a.width());
    const SeriesPlacement placement{g.PointX, !categories,
                                    categories || g.PointX.size() <= kMarkerLimit};
    for (std::size_t i = 0; i < data.Layers.size(); ++i) {
        g.LayerTops.push_back(PlacedSeries(data.Layers[i], placement, left,
                                           {LayerSeriesColor(static_cast<int>(i) + 1)}));
    }
    g.Source = PlacedSeries(data.Source, placement, left, {kSourceColor, 2.0, Qt::SolidLine});
    g.Resistance = PlacedSeries(data.Resistance, placement, right,
                                {kResistanceColor, 2.0, Qt::DashLine}, PlotMarker::Square);
    if (data.ExactX.empty()) return;
    std::vector<double> exactX;
    for (const double x : data.ExactX) exactX.push_back(a.left() + g.X.Fraction(x) * a.width());
    // Between two checked points lie points that were not checked: the line joins across them.
    const SeriesPlacement exact{exactX, !categories, true};
    g.Exact.push_back(
        PlacedSeries(data.ExactAverage, exact, left, ExactAverageLine(), PlotMarker::Diamond));
    g.Exact.push_back(
        PlacedSeries(data.ExactPeak, exact, left, ExactPeakLine(), PlotMarker::Triangle));
}

// The title and the legend; the top of what follows comes back.
double LayOutHeader(SweepPlotGeometry& g, const SweepPlotInputs& inputs, const Metrics& metrics,
                    bool modelShown) {
    double top = kMargin;
    if (!inputs.title.isEmpty()) {
        g.Labels.push_back(
            {QRectF(kMargin, top, g.Size.width() - 2 * kMargin, metrics.Title.height()),
             inputs.title, Qt::AlignCenter, PlotFontRole::Title});
        top += metrics.Title.height() + kLabelGap;
    }
    const bool gaps = std::any_of(inputs.sweep.Points.begin(), inputs.sweep.Points.end(),
                                  [](const SweepPoint& p) { return !p.HasResult(); });
    return LayOutPlotLegend(LegendItems(inputs, gaps, modelShown), kMargin,
                            g.Size.width() - kMargin, top, g.Legend, g.Labels) +
           kLegendBelow;
}

struct ValueLabelWidths {
    double Left = 0.0;
    double Right = 0.0;
};

// The two value axes and the area between them; the widths of their tick labels come back.
ValueLabelWidths LayOutValueAxes(SweepPlotGeometry& g, const PlotData& data, const Metrics& metrics,
                                 double top) {
    const double tickHeight = metrics.Tick.height();
    const double titleHeight = metrics.Title.height();
    const double areaTop = top + tickHeight / 2.0;
    const double areaBottom = g.Size.height() - kMargin - titleHeight - kLabelGap - tickHeight -
                              kLabelGap - kPlotTickLength;
    const double areaHeight = std::max(1.0, areaBottom - areaTop);

    std::vector<const SeriesValues*> temperatures{&data.Source, &data.ExactAverage,
                                                  &data.ExactPeak};
    for (const SeriesValues& layer : data.Layers) temperatures.push_back(&layer);
    const auto left = ValueRange(temperatures).value_or(std::pair(0.0, 1.0));
    const auto right = ValueRange({&data.Resistance}).value_or(std::pair(0.0, 1.0));
    const int ticks =
        std::clamp(static_cast<int>(areaHeight / kPixelsPerYTick) + 1, 3, kMostYTicks);
    g.Left = RoundedAxis(left.first, left.second, ticks);
    g.Right = AlignedAxis(right.first, right.second, static_cast<int>(g.Left.Ticks.size()));

    const ValueLabelWidths widths{WidestText(metrics.Tick, g.Left.Ticks),
                                  WidestText(metrics.Tick, g.Right.Ticks)};
    const double side = kMargin + titleHeight + 2 * kLabelGap + kPlotTickLength;
    const double areaLeft = side + widths.Left;
    const double areaRight = g.Size.width() - side - widths.Right;
    g.Area = QRectF(areaLeft, areaTop, std::max(1.0, areaRight - areaLeft), areaHeight);
    return widths;
}

}  // namespace

SweepPlotGeometry ComputeSweepPlot(const SweepPlotInputs& inputs, QSizeF size) {
    const Metrics metrics;
    const PlotData data = PlotDataOf(inputs);
    const auto model = ModelCoordinate(inputs.sweep, data);
    SweepPlotGeometry g;
    g.Size = size;
    const double top = LayOutHeader(g, inputs, metrics, model.has_value());
    const ValueLabelWidths widths = LayOutValueAxes(g, data, metrics, top);
    g.X = SweptAxis(inputs, data, g.Area.width(), metrics.Tick);
    if (model) g.ModelX = g.Area.left() + g.X.Fraction(*model) * g.Area.width();
    PlaceSeries(g, data, inputs);
    g.Gaps = GapBands(inputs.sweep, g.PointX, g.Area);
    AddSweptLabels(g, inputs, metrics.Tick);
    AddValueLabels(g, metrics.Tick, widths.Left, widths.Right);
    AddAxisTitles(g, inputs.sweep, metrics.Title);
    AddGapLabels(g, inputs.sweep, metrics.Tick);
    return g;
}

}  // namespace strativex
