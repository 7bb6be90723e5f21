#pragma once

#include <cmath>
#include <vector>

// The exact steady temperature rise of a rectangular flux channel: layers of equal lateral size
// a x b on a base held at a fixed temperature, adiabatic sides, a uniform heat flux over a
// centred c x d source on top, conductivities constant. The rise is a double Fourier cosine
// series (Muzychka, Culham and Yovanovich, J. Electronic Packaging 125, 2003), each term
// weighted by the stack's impedance for its wavenumber zeta, built up from the base by
//   Z <- (Z + tanh(zeta t) / (k zeta)) / (1 + k zeta Z tanh(zeta t)),
// from Z = 1 / h at a base cooled by a heat transfer coefficient h (0 when it is isothermal).
// Lengths in cm, conductivities in W/cm-K, power in W, rises in K.
namespace flux_channel {

struct Layer {
    double Thickness = 0.0;
    double Conductivity = 0.0;
};

struct Channel {
    double Width = 0.0, Length = 0.0;              // a, b
    double SourceWidth = 0.0, SourceLength = 0.0;  // c, d
    double Power = 0.0;
    std::vector<Layer> Layers;   // from the top down
    double BaseImpedance = 0.0;  // 1 / h, cm2-K/W
};

inline double Impedance(const Channel& channel, double zeta) {
    double z = channel.BaseImpedance;
    for (auto layer = channel.Layers.rbegin(); layer != channel.Layers.rend(); ++layer) {
        if (zeta == 0.0) {
            z += layer->Thickness / layer->Conductivity;
            continue;
        }
        const double kz = layer->Conductivity * zeta;
        const double t = std::tanh(zeta * layer->Thickness);
        z = (z + t / kz) / (1.0 + kz * z * t);
    }
    return z;
}

// sin(u) / u, 1 at u = 0: the mean of cos(lambda x) over the source.
inline double SourceMean(double lambda, double sourceSize) {
    const double u = 0.5 * lambda * sourceSize;
    return u == 0.0 ? 1.0 : std::sin(u) / u;
}

struct Terms {
    std::vector<double> Lambda, Delta;     // wavenumbers along the width and the length
    std::vector<double> SourceX, SourceY;  // SourceMean of each
};

inline Terms MakeTerms(const Channel& channel, int count) {
    Terms terms;
    for (int m = 0; m < count; ++m) {
        terms.Lambda.push_back(2.0 * M_PI * m / channel.Width);
        terms.Delta.push_back(2.0 * M_PI * m / channel.Length);
        terms.SourceX.push_back(SourceMean(terms.Lambda.back(), channel.SourceWidth));
        terms.SourceY.push_back(SourceMean(terms.Delta.back(), channel.SourceLength));
    }
    return terms;
}

// The rise at (x, y) from the channel's centre when `atPoint`, else averaged over the source.
inline double Rise(const Channel& channel, const Terms& terms, bool atPoint, double x = 0.0,
                   double y = 0.0) {
    const double meanFlux = channel.Power / (channel.Width * channel.Length);
    double sum = 0.0;
    const auto count = terms.Lambda.size();
    for (std::size_t m = 0; m < count; ++m) {
        const double weightX = (m == 0 ? 1.0 : 2.0) * terms.SourceX[m] *
                               (atPoint ? std::cos(terms.Lambda[m] * x) : terms.SourceX[m]);
        for (std::size_t n = 0; n < count; ++n) {
            const double weightY = (n == 0 ? 1.0 : 2.0) * terms.SourceY[n] *
                                   (atPoint ? std::cos(terms.Delta[n] * y) : terms.SourceY[n]);
            const double zeta = std::hypot(terms.Lambda[m], terms.Delta[n]);
            sum += weightX * weightY * Impedance(channel, zeta);
        }
    }
    return meanFlux * sum;
}

inline double AverageRise(const Channel& channel, int count = 400) {
    return Rise(channel, MakeTerms(channel, count), false);
}

inline double CentroidRise(const Channel& channel, int count = 800) {
    return Rise(channel, MakeTerms(channel, count), true);
}

}  // namespace flux_channel
