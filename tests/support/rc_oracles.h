#pragma once

#include <cmath>
#include <numbers>
#include <vector>

#include "exact/foster_fit.h"
#include "exact/rc_network.h"

// Step responses known in closed form, for checking the networks against.
namespace rc_oracles {

// A slab of thickness L (m), cross-section A (m²), conductivity k, density ρ and specific heat
// c, heated over its whole top face, its bottom face held at the base temperature.
struct Slab {
    double Thickness = 0.5e-3;
    double Area = 1e-4;
    double Conductivity = 148.0;
    double Density = 2330.0;
    double SpecificHeat = 712.0;

    double Resistance() const { return Thickness / (Conductivity * Area); }
    double HeatCapacity() const { return Density * SpecificHeat * Area * Thickness; }
    double Diffusivity() const { return Conductivity / (Density * SpecificHeat); }

    // The classical Fourier series of the finite slab:
    // Zth(t) = R (1 - Σ 8/((2k+1)² π²) exp(-(2k+1)² π² α t / (4 L²))).
    double Zth(double time) const {
        double sum = 0.0;
        for (int k = 0; k < 100000; ++k) {
            const double m = (2 * k + 1) * std::numbers::pi;
            const double term =
                8.0 / (m * m) *
                std::exp(-m * m * Diffusivity() * time / (4 * Thickness * Thickness));
            sum += term;
            if (term < 1e-18) break;
        }
        return Resistance() * (1.0 - sum);
    }
};

// The curve between its samples, linear in log time as the plots draw it.
inline double AtLogTime(const std::vector<double>& times, const std::vector<double>& values,
                        double time) {
    std::size_t i = 1;
    while (i + 1 < times.size() && times[i] < time) ++i;
    const double share = std::log(time / times[i - 1]) / std::log(times[i] / times[i - 1]);
    return values[i - 1] + share * (values[i] - values[i - 1]);
}

// Times from first, pointsPerDecade a decade, over the given decades (both ends included).
inline std::vector<double> LogTimes(double first, int decades, int pointsPerDecade) {
    std::vector<double> times;
    for (int i = 0; i <= decades * pointsPerDecade; ++i) {
        times.push_back(first * std::pow(10.0, static_cast<double>(i) / pointsPerDecade));
    }
    return times;
}

template <typename Response>
strativex::exact::ZthCurve Sampled(const std::vector<double>& times, Response zth) {
    strativex::exact::ZthCurve curve{times, {}};
    for (double t : times) curve.Zth.push_back(zth(t));
    return curve;
}

// The junction's impedance of a ladder at the real frequency s, evaluated from the base up;
// evaluating a continued fraction is stable, only building one from a curve is not.
inline double LadderImpedance(const strativex::exact::CauerNetwork& ladder, double s) {
    double z = 0.0;
    for (auto stage = ladder.Stages.rbegin(); stage != ladder.Stages.rend(); ++stage) {
        z = 1.0 / (s * stage->C + 1.0 / (stage->R + z));
    }
    return z;
}

inline double FosterImpedance(const strativex::exact::FosterNetwork& network, double s) {
    double z = 0.0;
    for (const auto& stage : network.Stages) z += stage.R / (1.0 + s * stage.Tau());
    return z;
}

}  // namespace rc_oracles
