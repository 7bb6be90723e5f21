#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "exact/rc_network.h"

// Rectangular power pulses through a Foster network. Every stage is a first-order system
// driven by the same power, so the periodic steady state is the sum of each stage's own
// closed form: the peak at the end of a pulse of width tp repeated every T is
// Σ R_i (1 - e^(-tp/τ_i)) / (1 - e^(-T/τ_i)).
namespace strativex::exact {

inline constexpr std::array<double, 6> kDutyCycles{0.5, 0.2, 0.1, 0.05, 0.02, 0.01};

// The rise per watt at the end of one pulse of this width, from the base temperature.
double SinglePulseZth(const FosterNetwork& network, double width);

// The peak rise per watt in the periodic steady state of pulses of this width and duty.
double PeriodicPulseZth(const FosterNetwork& network, double width, double duty);

struct PulseCurve {
    std::optional<double> Duty;  // none: the single pulse
    std::vector<double> Zth;     // at each width asked for
};

// The single pulse and the periodic family at kDutyCycles, at the given pulse widths.
std::vector<PulseCurve> PulseFamily(const FosterNetwork& network,
                                    const std::vector<double>& widths);

struct PeakRise {
    double RiseK = 0.0;
    std::string Problem;  // why there is no answer, naming the value; empty when there is one
};

// The peak temperature rise over the base for a power in W, a pulse width in s and its
// period in s (none: a single pulse).
PeakRise PeakTemperatureRise(const FosterNetwork& network, double power, double width,
                             std::optional<double> period);

}  // namespace strativex::exact
