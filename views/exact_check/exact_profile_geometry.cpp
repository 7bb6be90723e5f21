#include "views/exact_check/exact_profile_geometry.h"

#include <QFontMetricsF>

#include <algorithm>

#include "core/number_format.h"

#include "views/exact_check/exact_picture_texts.h"
#include "views/plot/plot_legend.h"
#include "views/plot/plot_style.h"

namespace strativex {
namespace {

constexpr double kMargin = 8.0;
constexpr double kLabelGap = 4.0;
constexpr double kPixelsPerYTick = 36.0;
constexpr double kXLabelPadding = 18.0;
constexpr int kMostYTicks = 8;
constexpr int kMostXTicks = 12;
// The estimate widens the temperature axis by up to this many times the profiles' own range.
constexpr double kEstimateReach = 1.0;

const PlotLine kWidthLine{kSourceColor, 2.0, Qt::SolidLine};
const PlotLine kLengthLine{kResistanceColor, 2.0, Qt::DashLine};
const PlotLine kEdgeLine{kModelMarkColor, 1.0, Qt::DotLine};
const PlotLine kAverageLine{QColor(40, 40, 40), 1.0, Qt::DashDotLine};
const PlotLine kEstimateLine{QColor(46, 140, 60), 1.5, Qt::DotLine};

struct Metrics {
    QFontMetricsF Tick{PlotFont(PlotFontRole::Tick)};
    QFontMetricsF Title{PlotFont(PlotFontRole::Title)};
};

QString Degrees(double value, const ExactPictureInputs& inputs) {
    return QString::fromStdString(FormatValue(value, kTemperatureSlot, inputs.digits)) +
           QStringLiteral(" \u00B0C");
}

// The estimate the comparison is about: with a heat sink, the estimate with the sink in series.
std::optional<double> ComparedEstimate(const exact::ExactResult& result) {
    return result.EstimateWithSinkTempC ? result.EstimateWithSinkTempC : result.EstimateSourceTempC;
}

std::vector<PlotLegendItem> LegendItems(const ExactPictureInputs& inputs, bool estimateShown) {
    const exact::ExactResult& result = inputs.result;
    std::vector<PlotLegendItem> items{
        {QStringLiteral("Across the width"), kWidthLine},
        {QStringLiteral("Across the length"), kLengthLine},
        {QStringLiteral("Heated area's edges"), kEdgeLine},
        {QStringLiteral("3-D average, ") + Degrees(result.AverageSourceTempC, inputs),
         kAverageLine},
    };
    if (const auto estimate = ComparedEstimate(result)) {
        QString text =
            (result.EstimateWithSinkTempC ? QStringLiteral("Estimate + heat sink, ")
                                          : QStringLiteral("Spreading-angle estimate, ")) +
            Degrees(*estimate, inputs);
        if (!estimateShown) text += QStringLiteral(" (off the plot)");
        items.push_back({text, kEstimateLine});
    }
    return items;
}

std::pair<double, double> ProfileRange(const exact::ExactResult& result) {
    double low = result.AverageSourceTempC;
    double high = result.PeakSourceTempC;
    for (const exact::FaceProfile* profile : {&result.WidthProfile, &result.LengthProfile}) {
        for (const double t : profile->TempC) {
            low = std::min(low, t);
            high = std::max(high, t);
        }
    }
    return {low, high};
}

// An estimate far from the profiles would squash them into a line: it then stays off the
// plot, and the legend says so.
bool EstimateShown(const exact::ExactResult& result) {
    const auto estimate = ComparedEstimate(result);
    if (!estimate) return false;
    const auto [low, high] = ProfileRange(result);
    const double span = high - low;
    return *estimate >= low - kEstimateReach * span && *estimate <= high + kEstimateReach * span;
}

std::pair<double, double> TemperatureRange(const exact::ExactResult& result) {
    auto [low, high] = ProfileRange(result);
    if (EstimateShown(result)) {
        low = std::min(low, *ComparedEstimate(result));
        high = std::max(high, *ComparedEstimate(result));
    }
    return {low, high};
}

double FurthestPosition(const exact::ExactResult& result) {
    double furthest = 0.0;
    for (const exact::FaceProfile* profile : {&result.WidthProfile, &result.LengthProfile}) {
        if (!profile->Position.empty()) furthest = std::max(furthest, profile->Position.back());
    }
    return furthest > 0.0 ? furthest : 1.0;
}

double WidestText(const QFontMetricsF& metrics, const std::vector<double>& ticks) {
    double widest = 0.0;
    for (const double tick : ticks) {
        widest = std::max(widest, metrics.horizontalAdvance(PictureTickText(tick)));
    }
    return widest;
}

QPointF Point(const ProfileGeometry& g, double x, double y) {
    return {g.Area.left() + g.X.Fraction(x) * g.Area.width(),
            g.Area.bottom() - g.Y.Fraction(y) * g.Area.height()};
}

ProfileCurve Curve(const ProfileGeometry& g, const exact::FaceProfile& profile,
                   const PlotLine& line) {
    ProfileCurve curve{{}, line};
    for (std::size_t n = 0; n < profile.Position.size(); ++n) {
        curve.Points << Point(g, profile.Position[n], profile.TempC[n]);
    }
    return curve;
}

void LayOutAxes(ProfileGeometry& g, const exact::ExactResult& result, const Metrics& metrics,
                double top) {
    const double tickHeight = metrics.Tick.height();
    const double titleHeight = metrics.Title.height();
    const double areaTop = top + tickHeight / 2.0;
    const double areaBottom =
        g.Size.height() - kMargin - titleHeight - 2 * kLabelGap - tickHeight - kPlotTickLength;
    const double areaHeight = std::max(1.0, areaBottom - areaTop);
    const auto [low, high] = TemperatureRange(result);
    g.Y = RoundedAxis(
        low, high, std::clamp(static_cast<int>(areaHeight / kPixelsPerYTick) + 1, 3, kMostYTicks));
    const double labels = WidestText(metrics.Tick, g.Y.Ticks);
    const double areaLeft = kMargin + titleHeight + 2 * kLabelGap + labels + kPlotTickLength;
    const double areaWidth = std::max(1.0, g.Size.width() - areaLeft - kMargin);
    g.Area = QRectF(areaLeft, areaTop, areaWidth, areaHeight);
    const double furthest = FurthestPosition(result);
    const double label = WidestText(metrics.Tick, {-furthest}) + kXLabelPadding;
    g.X = ExactAxis(-furthest, furthest,
                    std::clamp(static_cast<int>(areaWidth / label), 2, kMostXTicks));
    for (const double tick : g.Y.Ticks) {
        const double y = Point(g, 0.0, tick).y();
        g.GridY.push_back(y);
        g.Labels.push_back({QRectF(areaLeft - kPlotTickLength - kLabelGap - labels,
                                   y - tickHeight / 2.0, labels, tickHeight),
                            PictureTickText(tick), Qt::AlignRight | Qt::AlignVCenter});
    }
    double previousRight = -1e9;
    for (const double tick : g.X.Ticks) {
        const double x = Point(g, tick, 0.0).x();
        g.GridX.push_back(x);
        const QString text = PictureTickText(tick);
        const double width = metrics.Tick.horizontalAdvance(text);
        if (x - width / 2.0 < previousRight + kLabelGap) continue;
        previousRight = x + width / 2.0;
        g.Labels.push_back(
            {QRectF(x - width / 2.0 - 1.0, g.Area.bottom() + kPlotTickLength + kLabelGap,
                    width + 2.0, tickHeight),
             text, Qt::AlignHCenter | Qt::AlignTop});
    }
}

void AddAxisTitles(ProfileGeometry& g, LengthUnit unit, const QFontMetricsF& metrics) {
    const double height = metrics.height();
    g.Labels.push_back({QRectF(kMargin, g.Area.top(), height, g.Area.height()),
                        metrics.elidedText(QStringLiteral("Temperature (\u00B0C)"), Qt::ElideRight,
                                           g.Area.height()),
                        Qt::AlignCenter, PlotFontRole::Title, kAxisColor, true});
    g.Labels.push_back(
        {QRectF(g.Area.left(), g.Size.height() - kMargin - height, g.Area.width(), height),
         metrics.elidedText(LengthAxisTitle(QStringLiteral("Distance from the centre"), unit),
                            Qt::ElideRight, g.Area.width()),
         Qt::AlignCenter, PlotFontRole::Title});
}

// The sources' centres along one axis, each once; 0 for a single source.
std::vector<double> SourceCentres(const exact::ExactResult& result, bool alongWidth) {
    std::vector<double> centres;
    for (const exact::SourceTemperature& source : result.SourceTemps) {
        const double centre = alongWidth ? source.X : source.Y;
        if (std::find(centres.begin(), centres.end(), centre) == centres.end()) {
            centres.push_back(centre);
        }
    }
    return centres.empty() ? std::vector<double>{0.0} : centres;
}

void PlaceLines(ProfileGeometry& g, const exact::ExactResult& result) {
    g.AcrossWidth = Curve(g, result.WidthProfile, kWidthLine);
    g.AcrossLength = Curve(g, result.LengthProfile, kLengthLine);
    g.EdgeLine = kEdgeLine;
    for (const bool alongWidth : {true, false}) {
        const double half =
            (alongWidth ? result.WidthProfile : result.LengthProfile).SourceHalfSize;
        for (const double centre : SourceCentres(result, alongWidth)) {
            g.SourceEdgesX.push_back(Point(g, centre - half, 0.0).x());
            g.SourceEdgesX.push_back(Point(g, centre + half, 0.0).x());
        }
    }
    g.Levels.push_back({Point(g, 0.0, result.AverageSourceTempC).y(), kAverageLine});
    if (EstimateShown(result)) {
        g.Levels.push_back({Point(g, 0.0, *ComparedEstimate(result)).y(), kEstimateLine});
    }
}

}  // namespace

ProfileGeometry ComputeExactProfile(const ExactPictureInputs& inputs, QSizeF size) {
    const Metrics metrics;
    ProfileGeometry g;
    g.Size = size;
    g.Labels.push_back(
        {QRectF(kMargin, kMargin, size.width() - 2 * kMargin, metrics.Title.height()),
         QStringLiteral("Temperature of the heated face"), Qt::AlignLeft | Qt::AlignVCenter,
         PlotFontRole::Title});
    const double legendTop = kMargin + metrics.Title.height() + kLabelGap;
    const double top = LayOutPlotLegend(LegendItems(inputs, EstimateShown(inputs.result)), kMargin,
                                        size.width() - kMargin, legendTop, g.Legend, g.Labels) +
                       kLabelGap;
    LayOutAxes(g, inputs.result, metrics, top);
    AddAxisTitles(g, inputs.unit, metrics.Title);
    PlaceLines(g, inputs.result);
    return g;
}

}  // namespace strativex
