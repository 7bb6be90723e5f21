#include "exact/richardson.h"

#include <algorithm>
#include <cmath>

namespace strativex::exact {
namespace {

// The scheme is second order; observed orders from first to third count as steady.
constexpr double kLowestOrder = 1.0;
constexpr double kHighestOrder = 3.0;
constexpr double kSchemeOrder = 2.0;
// The grid convergence index's safety factor where three grids give the order.
constexpr double kSafetyFactor = 1.25;
// The least share of the correction that remains in the extrapolated value.
constexpr double kLeastRemainingShare = 0.1;

// The fine grid's error as the order p tells it, from the last change between the grids.
double Correction(double lastChange, double order) {
    return lastChange / (std::pow(2.0, order) - 1.0);
}

}  // namespace

Extrapolated Extrapolate(double fine, double medium, double coarse) {
    const double lastChange = fine - medium;
    const double firstChange = medium - coarse;
    if (lastChange == 0.0 && firstChange == 0.0) return {fine, 0.0, kSchemeOrder, false};
    const double ratio = firstChange / lastChange;
    std::optional<double> order;
    if (ratio > 0.0 && std::isfinite(ratio)) order = std::log2(ratio);
    if (order && *order >= kLowestOrder && *order <= kHighestOrder) {
        const double correction = Correction(lastChange, *order);
        const double orderSpread = std::fabs(correction - Correction(lastChange, kSchemeOrder));
        const double bound =
            kSafetyFactor * std::max(orderSpread, kLeastRemainingShare * std::fabs(correction));
        return {fine + correction, bound, order, false};
    }
    return {fine, std::max(std::fabs(lastChange), std::fabs(firstChange)), order, true};
}

Extrapolated Richardson(double fine, double coarse) {
    // Halving the cells leaves a quarter of the error, so the fine value still carries a third
    // of the difference between the two.
    const double correction = Correction(fine - coarse, kSchemeOrder);
    return {fine + correction, std::fabs(correction), kSchemeOrder, false};
}

}  // namespace strativex::exact
