#pragma once

#include <vector>

namespace strativex {

enum class AxisScale { Linear, Logarithmic };

// A value range with its tick values; positions along the axis are fractions 0..1 from Low.
struct PlotAxis {
    double Low = 0.0;
    double High = 1.0;
    AxisScale Scale = AxisScale::Linear;
    std::vector<double> Ticks;

    double Fraction(double value) const;
};

// Ticks at 1, 2 or 5 times a power of ten, at most maxTicks of them, the range widened to the
// ticks around it: the axis of a result, whose range only the data sets.
PlotAxis RoundedAxis(double low, double high, int maxTicks);
// The same step for a range that must be kept as it is, the ends of a sweep: ticks inside.
PlotAxis ExactAxis(double low, double high, int maxTicks);
// Ticks at decades, or at 1-2-5 or every digit of each decade where that fits, inside the
// range; both ends above 0. A range too short for two such ticks gets linear ticks instead.
PlotAxis ExactLogAxis(double low, double high, int maxTicks);
// The range widened to whole decades, ticks as ExactLogAxis: the log axis of a result.
PlotAxis RoundedLogAxis(double low, double high, int maxTicks);
// Exactly tickCount ticks at a 1-2-5 step that covers the range, so that a second axis falls
// on the grid lines of the first.
PlotAxis AlignedAxis(double low, double high, int tickCount);

}  // namespace strativex
