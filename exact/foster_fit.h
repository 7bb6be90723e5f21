#pragma once

#include <optional>
#include <string>
#include <vector>

#include "exact/rc_network.h"

namespace strativex::exact {

// A sampled step response: Zth(t) in K/W at rising positive times in s, the last sample at
// the steady state, whose value stands for Zth(∞).
struct ZthCurve {
    std::vector<double> Times;
    std::vector<double> Zth;
};

struct FosterFit {
    FosterNetwork Network;
    // The largest distance of the network's curve from the samples, in % of Zth(∞).
    double ErrorPercent = 0.0;
    std::string Problem;  // why nothing was fitted; the rest means nothing unless it is empty
};

// The fit error a default fit stays under with the fewest stages.
inline constexpr double kDefaultFitTolerancePercent = 1.0;

// Why the curve cannot be fitted with that many stages, naming the value; empty when it can.
std::string CurveProblem(const ZthCurve& curve, int stages);

// A Foster network of at most the given number of stages fitted to the curve (least squares,
// all R and τ positive, ΣR held to Zth(∞)); without a count, the fewest stages (1..12) whose
// fit error is under 1 % of Zth(∞), or the best of 12 when none is. Stages whose time
// constants come within a factor 1.5 of each other are merged and the fit refined again: a
// smooth curve supports fewer distinct stages than asked for, and near-equal ones would give
// the ladder rungs of vanishing resistance and huge capacitance.
FosterFit FitFoster(const ZthCurve& curve, std::optional<int> stages = std::nullopt);

}  // namespace strativex::exact
