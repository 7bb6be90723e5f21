#pragma once

#include <optional>

namespace strativex::exact {

// A value from three grids, each with twice the cells of the next along every axis.
struct Extrapolated {
    double Value = 0.0;
    // The remaining discretisation error of Value, as a bound the user can rely on.
    double ErrorEstimate = 0.0;
    // The order of convergence the three grids show, where they show a steady one.
    std::optional<double> Order;
    // The order lies outside the range where extrapolation can be trusted.
    bool Conservative = false;
};

// Where the grids converge at an order p from 1 to 3, the fine value extrapolated with it. Its
// error is what the three grids cannot tell: how far the extrapolation moves between p and the
// scheme's own order, and never less than a tenth of the correction (the terms above the
// leading one, which the grids leave that large on the oracle stacks), times the safety factor
// 1.25 of the grid convergence index for three grids. Elsewhere the grids are not yet in the
// asymptotic range: the fine value as it is, its error bounded by the larger of the last two
// changes, which holds as long as refining converges at first order or better.
Extrapolated Extrapolate(double fine, double medium, double coarse);

// A value from two grids only, where a third costs too much (every step of the transient):
// the scheme's second order is assumed, not observed.
Extrapolated Richardson(double fine, double coarse);

}  // namespace strativex::exact
