#pragma once

#include <vector>

#include "exact/rc_network.h"

// The cumulative structure function: the heat capacity reached from the junction against the
// thermal resistance passed on the way, read off the Cauer ladder, and its derivative
// dCΣ/dRΣ, which for a slab of cross-section A is ρ·c·k·A² and so shows where the heat flow
// widens or a material changes.
namespace strativex::exact {

struct StructureFunction {
    // After each rung, junction first: RΣ in K/W, CΣ in J/K.
    std::vector<double> CumulativeR;
    std::vector<double> CumulativeC;
    // One value per rung, C_k / R_k in J/K², at the middle of its resistance.
    std::vector<double> DerivativeR;
    std::vector<double> Derivative;
};

StructureFunction ComputeStructureFunction(const CauerNetwork& ladder);

}  // namespace strativex::exact
