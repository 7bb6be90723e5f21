#pragma once

#include <cmath>
#include <complex>
#include <vector>

#include "support/flux_channel_series.h"

// The exact transient rise of the rectangular flux channel of flux_channel_series.h under a
// power step at t = 0, every layer with a heat capacity. In the Laplace domain each Fourier
// term satisfies the steady equation with zeta^2 replaced by zeta^2 + s * rho c / k, so the
// series is the steady one with each layer's gamma = sqrt(zeta^2 + s rho c / k) in its
// impedance recursion, divided by s for the step; the fixed Talbot contour (Abate and Valko,
// Int. J. Numer. Meth. Eng. 60, 2004) inverts it. Lengths in cm, conductivities in W/cm-K,
// heat capacities in J/cm3-K, times in s, rises in K.
namespace laplace_flux_channel {

using Complex = std::complex<double>;

struct Layer {
    double Thickness = 0.0;
    double Conductivity = 0.0;
    double HeatCapacity = 0.0;
};

struct Channel {
    double Width = 0.0, Length = 0.0;
    double SourceWidth = 0.0, SourceLength = 0.0;
    double Power = 0.0;
    std::vector<Layer> Layers;  // from the top down
};

// tanh of a complex argument with a positive real part, without overflow: 1 far out.
inline Complex Tanh(Complex x) {
    if (x.real() > 20.0) return 1.0;
    const Complex e = std::exp(-2.0 * x);
    return (1.0 - e) / (1.0 + e);
}

inline Complex Impedance(const Channel& channel, double zeta, Complex s) {
    Complex z = 0.0;
    for (auto layer = channel.Layers.rbegin(); layer != channel.Layers.rend(); ++layer) {
        const Complex gamma =
            std::sqrt(zeta * zeta + s * layer->HeatCapacity / layer->Conductivity);
        const Complex kg = layer->Conductivity * gamma;
        const Complex t = Tanh(gamma * layer->Thickness);
        z = (z + t / kg) / (1.0 + kg * z * t);
    }
    return z;
}

inline flux_channel::Terms TermsOf(const Channel& channel, int count) {
    return flux_channel::MakeTerms({channel.Width,
                                    channel.Length,
                                    channel.SourceWidth,
                                    channel.SourceLength,
                                    channel.Power,
                                    {}},
                                   count);
}

// The Laplace transform of the step response, averaged over the source or at its centre.
inline Complex Transformed(const Channel& channel, const flux_channel::Terms& terms, bool centre,
                           Complex s) {
    const double meanFlux = channel.Power / (channel.Width * channel.Length);
    Complex sum = 0.0;
    const auto count = terms.Lambda.size();
    for (std::size_t m = 0; m < count; ++m) {
        const double weightX =
            (m == 0 ? 1.0 : 2.0) * terms.SourceX[m] * (centre ? 1.0 : terms.SourceX[m]);
        if (weightX == 0.0) continue;
        for (std::size_t n = 0; n < count; ++n) {
            const double weightY =
                (n == 0 ? 1.0 : 2.0) * terms.SourceY[n] * (centre ? 1.0 : terms.SourceY[n]);
            if (weightY == 0.0) continue;
            const double zeta = std::hypot(terms.Lambda[m], terms.Delta[n]);
            sum += weightX * weightY * Impedance(channel, zeta, s);
        }
    }
    return meanFlux * sum / s;
}

// Fixed Talbot inversion with `nodes` points on the contour: about 0.6 * nodes digits.
template <typename Transform>
double Inverted(const Transform& transform, double time, int nodes = 14) {
    const double r = 2.0 * nodes / (5.0 * time);
    double sum = 0.5 * std::exp(r * time) * transform(Complex(r, 0.0)).real();
    for (int k = 1; k < nodes; ++k) {
        const double theta = k * M_PI / nodes;
        const double cot = 1.0 / std::tan(theta);
        const Complex s = r * theta * Complex(cot, 1.0);
        const double sigma = theta + (theta * cot - 1.0) * cot;
        sum += (std::exp(time * s) * transform(s) * Complex(1.0, sigma)).real();
    }
    return r / nodes * sum;
}

inline double Rise(const Channel& channel, double time, bool centre, int count) {
    const flux_channel::Terms terms = TermsOf(channel, count);
    return Inverted([&](Complex s) { return Transformed(channel, terms, centre, s); }, time);
}

}  // namespace laplace_flux_channel
