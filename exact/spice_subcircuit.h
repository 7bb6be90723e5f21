#pragma once

#include <string>

#include "exact/rc_network.h"

// Subcircuits for a circuit simulator, in the thermal analogy: current is power (W), voltage
// is the temperature rise (K), resistance K/W, capacitance J/K. Both have the pins "junction"
// and "base"; the base goes to a voltage source at the base temperature (or to ground for
// the rise alone) and the device's dissipated power is fed into the junction.
namespace strativex::exact {

// The name as a subcircuit may carry it: letters, digits and '_', not starting with a digit.
std::string SubcircuitName(const std::string& wanted);

// ".subckt NAME junction base" ... ".ends NAME", lines ended by '\n'.
std::string FosterSubcircuit(const FosterNetwork& network, const std::string& name);
std::string CauerSubcircuit(const CauerNetwork& network, const std::string& name);

}  // namespace strativex::exact
