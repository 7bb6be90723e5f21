#include <QtTest>

#include <algorithm>
#include <cmath>
#include <random>

#include "exact/cauer_network.h"
#include "exact/foster_fit.h"
#include "exact/pulse_response.h"
#include "exact/structure_function.h"
#include "support/float_compare.h"
#include "support/rc_oracles.h"

using namespace strativex::exact;
using rc_oracles::LogTimes;
using rc_oracles::Sampled;
using rc_oracles::Slab;
Q_DECLARE_METATYPE(FosterNetwork)
Q_DECLARE_METATYPE(ZthCurve)

namespace {

FosterNetwork Foster(std::vector<std::pair<double, double>> resistanceAndTau) {
    FosterNetwork network;
    for (const auto& [r, tau] : resistanceAndTau) network.Stages.push_back({r, tau / r});
    return network;
}

// The largest distance of the network's curve from the response at the times, in % of z∞.
template <typename Response>
double WorstMissPercent(const FosterNetwork& network, const std::vector<double>& times,
                        Response zth, double steady) {
    double worst = 0.0;
    for (double t : times) worst = std::max(worst, std::fabs(FosterZth(network, t) - zth(t)));
    return 100.0 * worst / steady;
}

// A ladder as a stack gives one: resistances of one order, capacitances growing from the
// junction down, each drawn at random about that trend.
CauerNetwork GradedLadder(int stages, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> spread(-1.0, 1.0);
    CauerNetwork ladder;
    for (int k = 0; k < stages; ++k) {
        ladder.Stages.push_back({std::pow(10.0, 0.5 * spread(random)),
                                 1e-4 * std::pow(10.0, 0.6 * k + 0.15 * spread(random))});
    }
    return ladder;
}

// The first moment of the step response, ∫(Zth(∞) - Zth(t)) dt, from the ladder: each
// capacitance times the square of its resistance to the base.
double LadderFirstMoment(const CauerNetwork& ladder) {
    double moment = 0.0;
    double toBase = TotalResistance(ladder.Stages);
    for (const RcStage& stage : ladder.Stages) {
        moment += stage.C * toBase * toBase;
        toBase -= stage.R;
    }
    return moment;
}

// Heat flowing into the junction of the ladder as rectangular pulses, integrated with RK4 from
// the base temperature until the peaks of successive periods agree; the last three peaks.
std::vector<double> SimulatedPeaks(const CauerNetwork& ladder, double width, double period) {
    const auto n = ladder.Stages.size();
    std::vector<double> theta(n, 0.0);
    auto rate = [&](const std::vector<double>& state, double power) {
        std::vector<double> d(n);
        for (std::size_t k = 0; k < n; ++k) {
            const double above =
                k == 0 ? power : (state[k - 1] - state[k]) / ladder.Stages[k - 1].R;
            const double below = (state[k] - (k + 1 < n ? state[k + 1] : 0.0)) / ladder.Stages[k].R;
            d[k] = (above - below) / ladder.Stages[k].C;
        }
        return d;
    };
    auto advance = [&](double duration, double power) {
        double fastest = 1e300;
        for (const RcStage& stage : ladder.Stages) fastest = std::min(fastest, stage.Tau());
        const int steps = static_cast<int>(std::ceil(duration / (0.05 * fastest))) + 20;
        const double h = duration / steps;
        for (int s = 0; s < steps; ++s) {
            auto shifted = [&](const std::vector<double>& d, double f) {
                std::vector<double> x(theta);
                for (std::size_t k = 0; k < n; ++k) x[k] += f * h * d[k];
                return x;
            };
            const auto k1 = rate(theta, power);
            const auto k2 = rate(shifted(k1, 0.5), power);
            const auto k3 = rate(shifted(k2, 0.5), power);
            const auto k4 = rate(shifted(k3, 1.0), power);
            for (std::size_t k = 0; k < n; ++k) {
                theta[k] += h / 6.0 * (k1[k] + 2 * k2[k] + 2 * k3[k] + k4[k]);
            }
        }
    };
    std::vector<double> peaks;
    for (int p = 0; p < 100000; ++p) {
        advance(width, 1.0);
        peaks.push_back(theta[0]);
        advance(period - width, 0.0);
        const auto m = peaks.size();
        if (m > 3 && std::fabs(peaks[m - 1] - peaks[m - 4]) < 1e-10 * peaks[m - 1]) break;
    }
    return {peaks.end() - 3, peaks.end()};
}

}  // namespace

class TestNetworks : public QObject {
    Q_OBJECT

private slots:
    // Curves of known networks are met within 1 % of Zth(∞) everywhere, between the samples
    // too, by the fewest stages that do it.
    void fitsKnownNetworks_data() {
        QTest::addColumn<FosterNetwork>("truth");
        QTest::newRow("one stage") << Foster({{2.0, 1e-3}});
        QTest::newRow("three stages, two decades apart")
            << Foster({{0.1, 1e-5}, {0.4, 1e-3}, {1.5, 1e-1}});
        QTest::newRow("five stages of a stack")
            << Foster({{0.02, 3e-6}, {0.08, 5e-5}, {0.3, 2e-3}, {0.25, 4e-2}, {0.6, 1.0}});
        QTest::newRow("close time constants") << Foster({{0.5, 1e-3}, {0.5, 3e-3}});
    }
    void fitsKnownNetworks() {
        QFETCH(FosterNetwork, truth);
        const auto zth = [&](double t) { return FosterZth(truth, t); };
        const double steady = TotalResistance(truth.Stages);
        const FosterFit fit = FitFoster(Sampled(LogTimes(1e-7, 9, 10), zth));
        QVERIFY2(fit.Problem.empty(), fit.Problem.c_str());
        QVERIFY(fit.ErrorPercent < 1.0);
        QVERIFY(fit.Network.Stages.size() <= truth.Stages.size());
        QVERIFY(WorstMissPercent(fit.Network, LogTimes(1e-7, 9, 37), zth, steady) < 1.0);
        VERIFY_NEAR(TotalResistance(fit.Network.Stages), steady, 1e-3 * steady);
    }

    // The slab's Fourier series, sampled 10 times a decade over 8 decades from 1 µs: the
    // default fit stays within 1 % of R everywhere and its ΣR is R.
    void fitsTheSlabSeries_data() {
        QTest::addColumn<double>("thickness");
        QTest::addColumn<double>("conductivity");
        QTest::newRow("silicon 0.5 mm") << 0.5e-3 << 148.0;
        QTest::newRow("copper 3 mm") << 3e-3 << 391.0;
        QTest::newRow("FR-4 1.6 mm") << 1.6e-3 << 0.343;
    }
    void fitsTheSlabSeries() {
        QFETCH(double, thickness);
        QFETCH(double, conductivity);
        Slab slab;
        slab.Thickness = thickness;
        slab.Conductivity = conductivity;
        const double settled = 10.0 * thickness * thickness / slab.Diffusivity();
        const double first = std::max(1e-6, settled * 2e-8);
        const auto times = LogTimes(first, 8, 10);
        QVERIFY(times.back() > settled);
        const auto zth = [&](double t) { return slab.Zth(t); };
        const FosterFit fit = FitFoster(Sampled(times, zth));
        QVERIFY2(fit.Problem.empty(), fit.Problem.c_str());
        QVERIFY(WorstMissPercent(fit.Network, LogTimes(first, 8, 41), zth, slab.Resistance()) <
                1.0);
        VERIFY_NEAR(TotalResistance(fit.Network.Stages), slab.Resistance(),
                    1e-3 * slab.Resistance());
    }

    // The ladder of the slab's fit: ΣR is R; its first moment Σ C_k R_k→base² is the slab's
    // ∫(R - Zth) dt = R²·ρcV/3, which the fit holds to its own accuracy (2 %; measured
    // 0.5 %). ΣC cannot exceed ρcV. The curve fixes the heat near the junction well and that
    // near the base hardly at all (it is seen only through the last, largest rung, whose
    // capacitance takes the weight R_n² in the moment): the 3 to 4 rungs the slab's smooth
    // curve supports hold 55-62 % of ρcV, so ΣC must lie between 50 % and 100 %.
    void slabLadderHoldsTheSlabsHeat_data() {
        QTest::addColumn<int>("stages");
        QTest::newRow("default") << 0;
        QTest::newRow("6 stages") << 6;
        QTest::newRow("12 stages") << 12;
    }
    void slabLadderHoldsTheSlabsHeat() {
        QFETCH(int, stages);
        const Slab slab;
        const auto zth = [&](double t) { return slab.Zth(t); };
        const FosterFit fit = FitFoster(Sampled(LogTimes(1e-6, 8, 10), zth),
                                        stages > 0 ? std::optional<int>(stages) : std::nullopt);
        const CauerConversion cauer = CauerFromFoster(fit.Network);
        QVERIFY2(cauer.Problem.empty(), cauer.Problem.c_str());
        const double r = slab.Resistance();
        const double heat = slab.HeatCapacity();
        VERIFY_NEAR(TotalResistance(cauer.Network.Stages), r, 1e-3 * r);
        VERIFY_NEAR(LadderFirstMoment(cauer.Network), r * r * heat / 3.0,
                    0.02 * r * r * heat / 3.0);
        const double sumC = TotalCapacitance(cauer.Network.Stages);
        QVERIFY2(sumC <= heat * 1.001 && sumC >= 0.5 * heat,
                 qPrintable(QString::number(sumC / heat)));
    }

    // The ladder has the Foster network's impedance at every frequency.
    void cauerLadderHasTheFosterImpedance_data() {
        QTest::addColumn<FosterNetwork>("foster");
        QTest::newRow("one stage") << Foster({{2.0, 1e-3}});
        QTest::newRow("five stages over six decades")
            << Foster({{0.02, 3e-6}, {0.08, 5e-5}, {0.3, 2e-3}, {0.25, 4e-2}, {0.6, 1.0}});
        QTest::newRow("twelve stages over eight decades") << [] {
            FosterNetwork network;
            for (int i = 0; i < 12; ++i) {
                network.Stages.push_back(
                    {0.05 + 0.01 * i, 1e-6 * std::pow(10.0, 8.0 * i / 11) / (0.05 + 0.01 * i)});
            }
            return network;
        }();
        QTest::newRow("equal time constants act as one")
            << Foster({{0.5, 1e-3}, {0.25, 1e-3}, {1.0, 1e-1}});
    }
    void cauerLadderHasTheFosterImpedance() {
        QFETCH(FosterNetwork, foster);
        const CauerConversion cauer = CauerFromFoster(foster);
        QVERIFY2(cauer.Problem.empty(), cauer.Problem.c_str());
        for (const RcStage& stage : cauer.Network.Stages) QVERIFY(stage.R > 0 && stage.C > 0);
        for (double s = 1e-3; s < 1e8; s *= 3.0) {
            const double expected = rc_oracles::FosterImpedance(foster, s);
            VERIFY_NEAR(rc_oracles::LadderImpedance(cauer.Network, s), expected, 1e-9 * expected);
        }
    }

    // Cauer → Foster → Cauer gives the ladder back to nearly full precision even with twelve
    // rungs over seven decades of time constant, where a continued fraction has none left.
    void roundTripKeepsTheLadder_data() {
        QTest::addColumn<int>("stages");
        for (int n : {1, 2, 5, 8, 12}) QTest::newRow(qPrintable(QString::number(n))) << n;
    }
    void roundTripKeepsTheLadder() {
        QFETCH(int, stages);
        for (unsigned seed = 1; seed <= 20; ++seed) {
            const CauerNetwork ladder = GradedLadder(stages, seed);
            const FosterConversion foster = FosterFromCauer(ladder);
            QVERIFY2(foster.Problem.empty(), foster.Problem.c_str());
            for (double s = 1e-2; s < 1e9; s *= 10.0) {
                const double expected = rc_oracles::LadderImpedance(ladder, s);
                VERIFY_NEAR(rc_oracles::FosterImpedance(foster.Network, s), expected,
                            1e-10 * expected);
            }
            const CauerConversion back = CauerFromFoster(foster.Network);
            QCOMPARE(back.Network.Stages.size(), ladder.Stages.size());
            for (std::size_t k = 0; k < ladder.Stages.size(); ++k) {
                VERIFY_NEAR(back.Network.Stages[k].R, ladder.Stages[k].R,
                            1e-8 * ladder.Stages[k].R);
                VERIFY_NEAR(back.Network.Stages[k].C, ladder.Stages[k].C,
                            1e-8 * ladder.Stages[k].C);
            }
        }
    }

    // The slab's structure function: RΣ reaches R, CΣ climbs towards ρcV without passing it,
    // and at the inner nodes its derivative is the slab's ρ·c·k·A² (= ρcV/R) within 20 %
    // (measured 8-15 % low: each node lumps the heat of the half rungs on either side).
    void slabStructureFunction() {
        const Slab slab;
        const auto zth = [&](double t) { return slab.Zth(t); };
        const FosterFit fit = FitFoster(Sampled(LogTimes(1e-6, 8, 10), zth), 12);
        const StructureFunction function =
            ComputeStructureFunction(CauerFromFoster(fit.Network).Network);
        const double r = slab.Resistance();
        const double heat = slab.HeatCapacity();
        QVERIFY(function.CumulativeR.size() >= 4);
        VERIFY_NEAR(function.CumulativeR.back(), r, 1e-3 * r);
        QVERIFY(std::is_sorted(function.CumulativeC.begin(), function.CumulativeC.end()));
        QVERIFY(function.CumulativeC.back() <= heat * 1.001);
        for (std::size_t k = 1; k + 1 < function.Derivative.size(); ++k) {
            VERIFY_NEAR(function.Derivative[k], heat / r, 0.2 * heat / r);
            QVERIFY(function.DerivativeR[k] > function.DerivativeR[k - 1]);
        }
    }

    void refusesBadCurves_data() {
        QTest::addColumn<ZthCurve>("curve");
        QTest::addColumn<int>("stages");
        QTest::addColumn<QString>("named");
        const ZthCurve good{{1e-3, 1e-2, 1e-1, 1.0}, {0.1, 0.5, 0.9, 1.0}};
        QTest::newRow("no stages") << good << 0 << "is 0";
        QTest::newRow("13 stages") << good << 13 << "is 13";
        QTest::newRow("lengths differ") << ZthCurve{{1e-3, 1e-2}, {0.1}} << 1 << "2 times but 1";
        QTest::newRow("zero time")
            << ZthCurve{{0.0, 1e-2, 1.0}, {0.0, 0.5, 1.0}} << 1 << "time 1 (0 s)";
        QTest::newRow("negative time")
            << ZthCurve{{-1e-3, 1e-2, 1.0}, {0.0, 0.5, 1.0}} << 1 << "time 1 (-0.001 s)";
        QTest::newRow("out of order") << ZthCurve{{1e-3, 1e-1, 1e-2}, {0.1, 0.9, 0.5}} << 1
                                      << "time 3 (0.01 s) does not follow";
        QTest::newRow("repeated time")
            << ZthCurve{{1e-3, 1e-3, 1.0}, {0.1, 0.1, 1.0}} << 1 << "time 2 (0.001 s)";
        QTest::newRow("Zth not a number")
            << ZthCurve{{1e-3, 1e-2, 1.0}, {0.1, std::nan(""), 1.0}} << 1 << "Zth at time 2";
        QTest::newRow("too few points for the stages") << good << 3 << "4 points";
        QTest::newRow("no rise") << ZthCurve{{1e-3, 1e-2}, {0.0, 0.0}} << 1 << "last Zth (0";
    }
    void refusesBadCurves() {
        QFETCH(ZthCurve, curve);
        QFETCH(int, stages);
        QFETCH(QString, named);
        const FosterFit fit = FitFoster(curve, stages);
        QVERIFY2(fit.Problem.find(named.toStdString()) != std::string::npos, fit.Problem.c_str());
        QVERIFY(fit.Network.Stages.empty());
    }

    void refusesBadNetworks() {
        QVERIFY(CauerFromFoster({}).Problem.find("0 stages") != std::string::npos);
        QVERIFY(FosterFromCauer({{{1.0, -2.0}}}).Problem.find("C = -2") != std::string::npos);
        FosterNetwork thirteen;
        thirteen.Stages.assign(13, {1.0, 1.0});
        QVERIFY(CauerFromFoster(thirteen).Problem.find("13 stages") != std::string::npos);
        QVERIFY(CauerFromFoster({{{std::nan(""), 1.0}}}).Problem.find("R = nan") !=
                std::string::npos);
    }

    // The closed form of the periodic steady state against the ladder driven pulse by pulse
    // (an independent realisation of the same impedance), the last three periods.
    void periodicPeakMatchesSimulation_data() {
        QTest::addColumn<double>("duty");
        QTest::addColumn<double>("period");
        for (double duty : kDutyCycles) {
            QTest::newRow(qPrintable(QStringLiteral("D = %1").arg(duty))) << duty << 2e-2;
        }
        QTest::newRow("period beyond every stage") << 0.1 << 10.0;
        QTest::newRow("period below every stage") << 0.5 << 4e-5;
    }
    void periodicPeakMatchesSimulation() {
        QFETCH(double, duty);
        QFETCH(double, period);
        const FosterNetwork foster = Foster({{0.1, 2e-4}, {0.3, 3e-3}, {0.6, 4e-2}});
        const double expected = PeriodicPulseZth(foster, duty * period, duty);
        const auto peaks = SimulatedPeaks(CauerFromFoster(foster).Network, duty * period, period);
        for (double peak : peaks) VERIFY_NEAR(peak, expected, 1e-5 * expected);
    }

    // The family lies between the steady duty-weighted rise and the single pulse, falling
    // with the duty, and the calculator scales it by the power.
    void pulseFamilyAndCalculator() {
        const FosterNetwork foster = Foster({{0.1, 2e-4}, {0.3, 3e-3}, {0.6, 4e-2}});
        const std::vector<double> widths = LogTimes(1e-6, 6, 4);
        const auto family = PulseFamily(foster, widths);
        QCOMPARE(family.size(), kDutyCycles.size() + 1);
        QVERIFY(!family[0].Duty.has_value());
        for (std::size_t w = 0; w < widths.size(); ++w) {
            VERIFY_NEAR(family[0].Zth[w], FosterZth(foster, widths[w]), 1e-15);
            for (std::size_t d = 1; d < family.size(); ++d) {
                QVERIFY(family[d].Zth[w] >= family[0].Zth[w]);
                QVERIFY(family[d].Zth[w] >= *family[d].Duty * 1.0 - 1e-12);
                if (d > 1) QVERIFY(family[d].Zth[w] <= family[d - 1].Zth[w]);
            }
        }
        const PeakRise single = PeakTemperatureRise(foster, 50.0, 1e-3, std::nullopt);
        QVERIFY(single.Problem.empty());
        VERIFY_NEAR(single.RiseK, 50.0 * FosterZth(foster, 1e-3), 1e-12);
        const PeakRise train = PeakTemperatureRise(foster, 50.0, 1e-3, 1e-2);
        VERIFY_NEAR(train.RiseK, 50.0 * PeriodicPulseZth(foster, 1e-3, 0.1), 1e-12);
    }

    void pulseCalculatorRefuses_data() {
        QTest::addColumn<double>("power");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("period");  // 0: a single pulse
        QTest::addColumn<QString>("named");
        QTest::newRow("no power") << 0.0 << 1e-3 << 0.0 << "power 0 W";
        QTest::newRow("negative power") << -5.0 << 1e-3 << 0.0 << "power -5 W";
        QTest::newRow("power not a number") << std::nan("") << 1e-3 << 0.0 << "power nan W";
        QTest::newRow("no width") << 10.0 << 0.0 << 0.0 << "width 0 s";
        QTest::newRow("negative period") << 10.0 << 1e-3 << -1.0 << "period -1 s";
        QTest::newRow("pulse longer than its period")
            << 10.0 << 2e-3 << 1e-3 << "width 0.002 s is not shorter than its period 0.001 s";
        QTest::newRow("duty 1") << 10.0 << 1e-3 << 1e-3 << "duty 1";
    }
    void pulseCalculatorRefuses() {
        QFETCH(double, power);
        QFETCH(double, width);
        QFETCH(double, period);
        QFETCH(QString, named);
        const FosterNetwork foster = Foster({{0.1, 2e-4}, {0.6, 4e-2}});
        const PeakRise rise = PeakTemperatureRise(
            foster, power, width, period != 0.0 ? std::optional<double>(period) : std::nullopt);
        QVERIFY2(rise.Problem.find(named.toStdString()) != std::string::npos, rise.Problem.c_str());
    }
};

QTEST_APPLESS_MAIN(TestNetworks)
#include "test_networks.moc"
