#pragma once

#include <algorithm>
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

// Sources of the channel's source size anywhere on it, each with its own power. One source off
// the centre heats the channel unevenly, so the series runs over every mode of the adiabatic
// sides, cos(m pi (x + a/2) / a), not only the even ones: a source centred at x0 has the
// cosine coefficient cos(lambda (x0 + a/2)) SourceMean(lambda, c), and the rise of several is
// the sum of theirs.
struct PlacedSource {
    double X = 0.0, Y = 0.0;  // centre, from the channel's centre
    double Power = 0.0;
};

class OffsetSeries {
public:
    OffsetSeries(const Channel& channel, const std::vector<PlacedSource>& sources, int count)
        : channel_(channel), count_(count), sum_(static_cast<std::size_t>(count) * count, 0.0) {
        for (int m = 0; m < count; ++m) {
            lambda_.push_back(M_PI * m / channel.Width);
            delta_.push_back(M_PI * m / channel.Length);
        }
        for (const PlacedSource& source : sources) {
            const std::vector<double> x =
                SourceCoefficients(lambda_, source.X, channel.Width, channel.SourceWidth);
            const std::vector<double> y =
                SourceCoefficients(delta_, source.Y, channel.Length, channel.SourceLength);
            for (int m = 0; m < count; ++m) {
                for (int n = 0; n < count; ++n) sum_[Term(m, n)] += source.Power * x[m] * y[n];
            }
        }
        for (int m = 0; m < count; ++m) {
            for (int n = 0; n < count; ++n) {
                const double weight =
                    (m == 0 ? 1.0 : 2.0) * (n == 0 ? 1.0 : 2.0) / (channel.Width * channel.Length);
                sum_[Term(m, n)] *= weight * Impedance(channel, std::hypot(lambda_[m], delta_[n]));
            }
        }
    }

    // The rise averaged over a source centred at (x, y).
    double AverageOver(double x, double y) const {
        return Sum(SourceCoefficients(lambda_, x, channel_.Width, channel_.SourceWidth),
                   SourceCoefficients(delta_, y, channel_.Length, channel_.SourceLength));
    }

    double At(double x, double y) const {
        return Sum(PointCoefficients(lambda_, x, channel_.Width),
                   PointCoefficients(delta_, y, channel_.Length));
    }

    // The highest rise over a source centred at (x, y), sampled `samples` times along each axis.
    double PeakOver(double x, double y, int samples = 9) const {
        double peak = 0.0;
        for (int i = 0; i < samples; ++i) {
            const double px = x + channel_.SourceWidth * (i / (samples - 1.0) - 0.5);
            for (int j = 0; j < samples; ++j) {
                const double py = y + channel_.SourceLength * (j / (samples - 1.0) - 0.5);
                peak = std::max(peak, At(px, py));
            }
        }
        return peak;
    }

private:
    static std::vector<double> SourceCoefficients(const std::vector<double>& waves, double centre,
                                                  double span, double size) {
        std::vector<double> c;
        for (const double wave : waves) {
            c.push_back(std::cos(wave * (centre + 0.5 * span)) * SourceMean(wave, size));
        }
        return c;
    }

    static std::vector<double> PointCoefficients(const std::vector<double>& waves, double at,
                                                 double span) {
        std::vector<double> c;
        for (const double wave : waves) c.push_back(std::cos(wave * (at + 0.5 * span)));
        return c;
    }

    double Sum(const std::vector<double>& x, const std::vector<double>& y) const {
        double sum = 0.0;
        for (int m = 0; m < count_; ++m) {
            double row = 0.0;
            for (int n = 0; n < count_; ++n) row += sum_[Term(m, n)] * y[n];
            sum += x[m] * row;
        }
        return sum;
    }

    std::size_t Term(int m, int n) const { return static_cast<std::size_t>(m) * count_ + n; }

    Channel channel_;
    int count_;
    std::vector<double> lambda_, delta_;
    std::vector<double> sum_;  // weighted power coefficients times the impedance, per mode
};

}  // namespace flux_channel
