#include "views/exact_check/exact_colour_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace strativex {
namespace {

struct Stop {
    double At;
    int Red, Green, Blue;
};

constexpr std::array<Stop, 8> kStops{{
    {0.00, 36, 30, 120},
    {0.14, 30, 90, 200},
    {0.30, 40, 170, 215},
    {0.45, 90, 200, 130},
    {0.60, 200, 220, 60},
    {0.75, 250, 175, 40},
    {0.90, 225, 80, 30},
    {1.00, 140, 20, 25},
}};

int Blend(int from, int to, double share) {
    return static_cast<int>(std::lround(from + (to - from) * share));
}

}  // namespace

QColor TemperatureColour(double fraction) {
    const double f = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    const auto upper = std::find_if(kStops.begin() + 1, kStops.end() - 1,
                                    [f](const Stop& stop) { return f <= stop.At; });
    const Stop& low = *(upper - 1);
    const Stop& high = *upper;
    const double share = (f - low.At) / (high.At - low.At);
    return QColor(Blend(low.Red, high.Red, share), Blend(low.Green, high.Green, share),
                  Blend(low.Blue, high.Blue, share));
}

}  // namespace strativex
