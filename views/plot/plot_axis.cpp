#include "views/plot/plot_axis.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace strativex {
namespace {

// Below three, a rounded range that straddles 0 could never be met.
constexpr int kFewestTicks = 3;

// Tick factors within a decade, densest first.
const std::array<std::vector<double>, 3> kLogDensities{
    {{1, 2, 3, 4, 5, 6, 7, 8, 9}, {1, 2, 5}, {1}}};

// A range without extent still needs an axis: it is opened around its value.
void OpenUp(double& low, double& high) {
    if (!std::isfinite(low) || !std::isfinite(high)) {
        low = 0.0;
        high = 1.0;
    }
    if (high < low) std::swap(low, high);
    if (high - low > 1e-9 * std::max(std::fabs(low), std::fabs(high))) return;
    const double margin = low == 0.0 ? 1.0 : std::fabs(low) * 0.05;
    low -= margin;
    high += margin;
}

// The smallest step of 1, 2 or 5 times a power of ten that is at least `least`.
double NiceStep(double least) {
    const double decade = std::pow(10.0, std::floor(std::log10(least)));
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * decade >= least * (1.0 - 1e-12)) return factor * decade;
    }
    return 10.0 * decade;
}

double NextStep(double step) {
    return NiceStep(step * 1.000001);
}

double FirstStep(double low, double high, int maxTicks) {
    return NiceStep((high - low) / (std::max(kFewestTicks, maxTicks) - 1));
}

// Whole multiples of the step within the range; a hair of slack keeps an end that rounding
// moved by an ulp.
std::vector<double> TickValues(double low, double high, double step) {
    std::vector<double> ticks;
    const double slack = 1e-9 * step;
    for (double k = std::ceil((low - slack) / step); k * step <= high + slack; ++k) {
        ticks.push_back(k * step);
    }
    return ticks;
}

std::vector<double> LogTicks(double low, double high, const std::vector<double>& factors,
                             int decadeStride) {
    std::vector<double> ticks;
    const int first = static_cast<int>(std::floor(std::log10(low)));
    const int last = static_cast<int>(std::ceil(std::log10(high)));
    for (int exponent = first; exponent <= last; ++exponent) {
        if ((exponent % decadeStride + decadeStride) % decadeStride != 0) continue;
        for (const double factor : factors) {
            const double value = factor * std::pow(10.0, exponent);
            const double slack = 1e-9 * value;
            if (value >= low - slack && value <= high + slack) ticks.push_back(value);
        }
    }
    return ticks;
}

bool Fits(const std::vector<double>& ticks, int maxTicks) {
    return ticks.size() >= 2 && static_cast<int>(ticks.size()) <= maxTicks;
}

}  // namespace

double PlotAxis::Fraction(double value) const {
    if (Scale == AxisScale::Logarithmic) {
        return (std::log(value) - std::log(Low)) / (std::log(High) - std::log(Low));
    }
    return (value - Low) / (High - Low);
}

PlotAxis RoundedAxis(double low, double high, int maxTicks) {
    OpenUp(low, high);
    maxTicks = std::max(kFewestTicks, maxTicks);
    for (double step = FirstStep(low, high, maxTicks);; step = NextStep(step)) {
        std::vector<double> ticks =
            TickValues(std::floor(low / step) * step, std::ceil(high / step) * step, step);
        if (static_cast<int>(ticks.size()) <= maxTicks) {
            return {ticks.front(), ticks.back(), AxisScale::Linear, std::move(ticks)};
        }
    }
}

PlotAxis ExactAxis(double low, double high, int maxTicks) {
    OpenUp(low, high);
    double step = FirstStep(low, high, maxTicks);
    while (static_cast<int>(TickValues(low, high, step).size()) > std::max(2, maxTicks)) {
        step = NextStep(step);
    }
    return {low, high, AxisScale::Linear, TickValues(low, high, step)};
}

PlotAxis ExactLogAxis(double low, double high, int maxTicks) {
    if (!(low > 0.0 && high > 0.0)) return ExactAxis(low, high, maxTicks);
    if (high < low) std::swap(low, high);
    for (const std::vector<double>& factors : kLogDensities) {
        std::vector<double> ticks = LogTicks(low, high, factors, 1);
        if (Fits(ticks, maxTicks)) return {low, high, AxisScale::Logarithmic, std::move(ticks)};
    }
    // More decades than ticks: every second, third, ... decade.
    for (int stride = 2;; ++stride) {
        std::vector<double> ticks = LogTicks(low, high, kLogDensities.back(), stride);
        if (ticks.size() < 2) break;
        if (Fits(ticks, maxTicks)) return {low, high, AxisScale::Logarithmic, std::move(ticks)};
    }
    PlotAxis axis = ExactAxis(low, high, maxTicks);
    axis.Scale = AxisScale::Logarithmic;
    return axis;
}

PlotAxis RoundedLogAxis(double low, double high, int maxTicks) {
    if (!(low > 0.0 && high > 0.0)) return RoundedAxis(low, high, maxTicks);
    if (high < low) std::swap(low, high);
    double bottom = std::pow(10.0, std::floor(std::log10(low) + 1e-9));
    double top = std::pow(10.0, std::ceil(std::log10(high) - 1e-9));
    if (top <= bottom) top = bottom * 10.0;
    return ExactLogAxis(bottom, top, maxTicks);
}

PlotAxis AlignedAxis(double low, double high, int tickCount) {
    OpenUp(low, high);
    const int intervals = std::max(1, tickCount - 1);
    for (double step = NiceStep((high - low) / intervals);; step = NextStep(step)) {
        const double first = std::floor(low / step);
        if ((first + intervals) * step >= high - 1e-9 * step) {
            std::vector<double> ticks;
            for (int k = 0; k <= intervals; ++k) ticks.push_back((first + k) * step);
            return {ticks.front(), ticks.back(), AxisScale::Linear, std::move(ticks)};
        }
    }
}

}  // namespace strativex
