#pragma once

namespace strativex::exact {

// A value from a grid and from the grid twice as coarse, for a second-order method.
struct Extrapolated {
    double Value = 0.0;
    double ErrorEstimate = 0.0;  // the size of the correction applied to the fine value
};

Extrapolated Richardson(double fine, double coarse);

}  // namespace strativex::exact
