#include <QtTest>

#include <Eigen/SparseCholesky>
#include <cmath>
#include <map>

#include "exact/conductance_operator.h"
#include "exact/conduction_solve.h"
#include "exact/conjugate_gradients.h"
#include "exact/exact_check.h"
#include "exact/grid.h"
#include "exact/line_multigrid.h"
#include "exact/linear_system.h"
#include "exact/transient_check.h"
#include "exact/transient_guess.h"
#include "support/cancel_at_stage.h"
#include "support/exact_stacks.h"
#include "support/float_compare.h"
#include "support/laplace_flux_channel.h"
#include "support/rc_oracles.h"

using namespace strativex;

// One layer of a test stack.
struct Solid {
    double Conductivity = 0.0;  // W/cm-K
    double HeatCapacity = 0.0;  // J/m3-K
    double Thickness = 0.0;     // cm
};
using Solids = std::vector<Solid>;
Q_DECLARE_METATYPE(Solid)
Q_DECLARE_METATYPE(Solids)
using HeatCapacityMap = std::map<int, double>;
Q_DECLARE_METATYPE(HeatCapacityMap)
// What a time step's solve remembers of earlier ones before it starts.
enum class Remembered { Nothing, EarlierSteps, ItsOwnSolution, ParallelSolutions };
Q_DECLARE_METATYPE(Remembered)

namespace {

// Volumetric heat capacities, J/m3-K, and conductivities, W/cm-K.
constexpr double kSiliconC = 1.63e6, kSiliconK = 1.5;
constexpr double kCopperC = 3.45e6, kCopperK = 3.9;
constexpr double kGaAsC = 1.76e6, kGaAsK = 0.46;
constexpr double kSolderC = 1.67e6, kSolderK = 0.5;
constexpr double kPolymerC = 1.5e6, kPolymerK = 0.002;
constexpr double kJPerCm3 = 1e-6;  // J/cm3-K in one J/m3-K

// Small grids keep the suite fast; the top of the stack is still graded for the start time.
exact::TransientOptions FastOptions() {
    exact::TransientOptions options;
    options.Steady.Fineness = 0.5;
    return options;
}

// Layers of the channel's size, a centred source, constant conductivities; lengths in cm.
exact::Stack ChannelStack(double width, double length, double sourceWidth, double sourceLength,
                          const Solids& layers, double power = 10.0) {
    exact::Stack stack;
    stack.SourceHalfWidth = 0.5 * sourceWidth;
    stack.SourceHalfLength = 0.5 * sourceLength;
    stack.Power = power;
    stack.BaseTempK = 300.0;
    for (const Solid& m : layers) {
        stack.Layers.push_back({m.Thickness, 0.5 * width, 0.5 * length, m.Conductivity, 0.0});
    }
    return stack;
}

std::vector<double> HeatCapacities(const Solids& layers) {
    std::vector<double> capacities;
    for (const Solid& m : layers) capacities.push_back(m.HeatCapacity);
    return capacities;
}

exact::TransientResult Solved(const exact::Stack& stack, const Solids& layers,
                              const exact::TransientOptions& options = FastOptions()) {
    const exact::TransientResult result =
        exact::SolveTransient(stack, HeatCapacities(layers), options);
    if (result.Status != exact::TransientStatus::Ok) qWarning("%s", result.Message.c_str());
    qInfo("%zu cells, %d steps, %d iterations, %.2f s", result.Cells, result.Steps,
          result.SolverIterations, result.Seconds);
    return result;
}

laplace_flux_channel::Channel LaplaceChannel(const exact::Stack& stack, const Solids& layers) {
    laplace_flux_channel::Channel channel{2.0 * stack.Layers.front().HalfWidth,
                                          2.0 * stack.Layers.front().HalfLength,
                                          2.0 * stack.SourceHalfWidth,
                                          2.0 * stack.SourceHalfLength,
                                          stack.Power,
                                          {}};
    for (const Solid& m : layers) {
        channel.Layers.push_back({m.Thickness, m.Conductivity, m.HeatCapacity * kJPerCm3});
    }
    return channel;
}

// About `count` indices of the curve spread evenly over log time from `from` on.
std::vector<std::size_t> SpreadTimes(const std::vector<double>& times, double from, int count) {
    std::vector<std::size_t> picked;
    const double span = std::log(times.back() / from);
    for (std::size_t n = 0; n < times.size(); ++n) {
        if (times[n] < from) continue;
        const double share = std::log(times[n] / from) / span;
        if (picked.empty() || share * count >= static_cast<double>(picked.size())) {
            picked.push_back(n);
        }
    }
    return picked;
}

// One time step's system (G + s C) x = b on a small grid of silicon on copper, with the
// multigrid built for it and the direct solution to compare with; vectors in grid order.
struct StepSystem {
    exact::Conductances Stiffness, Shifted;
    exact::LinearSystem System;
    Eigen::VectorXd Capacity, Rhs, Expected;
    exact::LineMultigrid Multigrid;
    double Shift = 0.0;

    std::size_t Cells() const { return static_cast<std::size_t>(Capacity.size()); }

    Eigen::VectorXd SolvedAt(double shift) const {
        Eigen::SparseMatrix<double> shifted = System.Matrix;
        shifted.diagonal() += shift * exact::Gather(System, {Capacity.data(), Cells()});
        std::vector<double> solved(Capacity.size(), 0.0);
        exact::Scatter(System,
                       Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>>(shifted).solve(
                           exact::Gather(System, {Rhs.data(), Cells()})),
                       solved);
        return Eigen::Map<const Eigen::VectorXd>(solved.data(), Capacity.size());
    }
    Eigen::VectorXd Times(const exact::Conductances& g, const Eigen::VectorXd& x) const {
        Eigen::VectorXd product(x.size());
        exact::ApplyConductances(g, exact::FindRowsInBody(g), g.Diagonal.data(), x, product);
        return product;
    }
};

void BuildStepSystem(StepSystem& step, double shift) {
    const Solids layers{{kSiliconK, kSiliconC, 0.05}, {kCopperK, kCopperC, 0.2}};
    const exact::Stack stack = ChannelStack(1.0, 1.0, 0.2, 0.2, layers);
    exact::ExactOptions options;
    options.Fineness = 0.4;
    const exact::Grid grid = exact::BuildGrid(stack, options);
    step.Stiffness = exact::AssembleConductances(
        grid, exact::CellConductivity(grid, stack, std::vector<double>(grid.CellCount(), 0.0)));
    std::vector<double> capacity(grid.CellCount(), 0.0);
    for (int i = 0; i < grid.Nx(); ++i) {
        for (int j = 0; j < grid.Ny(); ++j) {
            for (int l = 0; l < grid.Nz(); ++l) {
                capacity[grid.Index(i, j, l)] =
                    layers[static_cast<std::size_t>(grid.LayerOfRow[l])].HeatCapacity * kJPerCm3 *
                    (grid.X[i + 1] - grid.X[i]) * (grid.Y[j + 1] - grid.Y[j]) *
                    (grid.Z[l + 1] - grid.Z[l]);
            }
        }
    }
    step.Shifted = step.Stiffness;
    for (std::size_t c = 0; c < capacity.size(); ++c) step.Shifted.Base[c] += shift * capacity[c];
    exact::SumDiagonal(step.Shifted);
    step.System = exact::AssembleSystem(step.Stiffness);
    const std::vector<double> heat = exact::SourceHeat(grid, stack.Power);
    step.Capacity = Eigen::Map<const Eigen::VectorXd>(capacity.data(), capacity.size());
    step.Rhs = Eigen::Map<const Eigen::VectorXd>(heat.data(), heat.size());
    step.Shift = shift;
    step.Multigrid.Build(step.Shifted);
    step.Expected = step.SolvedAt(shift);
}

exact::HeatCapacityLookup LookupOf(const HeatCapacityMap& values) {
    return [values](int id) -> std::optional<double> {
        const auto found = values.find(id);
        if (found == values.end()) return std::nullopt;
        return found->second;
    };
}

exact::TransientResult RunOn(const exact_stacks::Case& c, const HeatCapacityMap& capacities,
                             const exact::CheckHooks& hooks = {}) {
    return exact::RunTransient(c.Model, c.Table, LookupOf(capacities), FastOptions(), hooks);
}

// The three-layer power die: silicon with K(T), solder, copper.
HeatCapacityMap ThreeLayerCapacities() {
    return {{1, kSiliconC}, {2, kSolderC}, {3, kCopperC}};
}

// A die on a spreader narrower than the plate below it, constant conductivities.
exact_stacks::Case SteppedCase() {
    return {exact_stacks::StackModel(3.0f, 2.0f, {{0.4f, 6, 6, 1}, {2.0f, 20, 15, 2}}, 20.0f),
            exact_stacks::TableOf({{1.5f, 0.0f}, {3.9f, 0.0f}})};
}

// A wide source on a die over a narrower pedestal: a layer edge lies under the source.
exact_stacks::Case PedestalCase() {
    return {exact_stacks::StackModel(4.0f, 4.0f, {{0.5f, 8, 8, 1}, {1.0f, 2, 2, 2}}, 5.0f),
            exact_stacks::TableOf({{1.5f, 0.0f}, {3.9f, 0.0f}})};
}

HeatCapacityMap SteppedCapacities() {
    return {{1, kSiliconC}, {2, kCopperC}};
}

}  // namespace

class TestTransient : public QObject {
    Q_OBJECT

private slots:
    void slabMatchesFourierSeries_data() {
        QTest::addColumn<Solid>("layer");
        QTest::newRow("silicon die") << Solid{kSiliconK, kSiliconC, 0.05};
        QTest::newRow("copper plate") << Solid{kCopperK, kCopperC, 0.2};
        QTest::newRow("polymer film") << Solid{kPolymerK, kPolymerC, 0.01};
    }
    void slabMatchesFourierSeries() {
        QFETCH(Solid, layer);
        const exact::Stack stack = ChannelStack(0.2, 0.2, 0.2, 0.2, {layer});
        const exact::TransientResult result = Solved(stack, {layer});
        QCOMPARE(result.Status, exact::TransientStatus::Ok);
        // The same layer in SI units, heated over its whole top of 0.04 cm2.
        const rc_oracles::Slab slab{layer.Thickness * 1e-2, 4e-6, layer.Conductivity * 1e2,
                                    layer.HeatCapacity, 1.0};
        double worst = 0.0;
        for (std::size_t n = 0; n < result.TimeS.size(); ++n) {
            if (result.TimeS[n] < 1e-5) continue;
            const double exact = slab.Zth(result.TimeS[n]);
            worst = std::max(worst, std::fabs(result.ZthAverage[n] / exact - 1.0));
            VERIFY_NEAR(result.ZthAverage[n], exact, 0.01 * exact);
            VERIFY_NEAR(result.ZthPeak[n], exact, 0.01 * exact);
        }
        qInfo("largest deviation from the series %.3f %%", 100.0 * worst);
    }

    // Before the heat reaches the bottom or the source's edges, the centre of a large source
    // rises as on a semi-infinite body: 2 q sqrt(t / (pi rho c k)).
    void earlyRiseFollowsSemiInfiniteLimit_data() {
        QTest::addColumn<Solid>("top");
        QTest::addColumn<double>("startTime");
        QTest::newRow("silicon from 1 us") << Solid{kSiliconK, kSiliconC, 0.05} << 1e-6;
        QTest::newRow("GaAs from 0.1 us") << Solid{kGaAsK, kGaAsC, 0.05} << 1e-7;
    }
    void earlyRiseFollowsSemiInfiniteLimit() {
        QFETCH(Solid, top);
        QFETCH(double, startTime);
        const Solids layers{top, {kCopperK, kCopperC, 0.2}};
        const exact::Stack stack = ChannelStack(0.6, 0.6, 0.4, 0.4, layers);
        exact::TransientOptions options = FastOptions();
        options.StartTime = startTime;
        const exact::TransientResult result = Solved(stack, layers, options);
        QCOMPARE(result.Status, exact::TransientStatus::Ok);
        QCOMPARE(result.TimeS.front(), startTime);
        const double diffusivity = top.Conductivity / (top.HeatCapacity * kJPerCm3);
        // The reach sqrt(alpha t) stays under a fifth of the layer and of the source's half.
        const double lastTime = std::pow(0.2 * top.Thickness, 2) / diffusivity;
        const double flux = stack.Power / 0.16;
        int compared = 0;
        double worst = 0.0;
        for (std::size_t n = 0; n < result.TimeS.size() && result.TimeS[n] <= lastTime; ++n) {
            const double t = result.TimeS[n];
            const double exact =
                2.0 * flux * std::sqrt(t / (M_PI * top.HeatCapacity * kJPerCm3 * top.Conductivity));
            worst = std::max(worst, std::fabs(result.ZthPeak[n] * stack.Power / exact - 1.0));
            VERIFY_NEAR(result.ZthPeak[n] * stack.Power, exact, 0.01 * exact);
            ++compared;
        }
        QVERIFY(compared >= 10);
        qInfo("largest deviation from the limit %.3f %%", 100.0 * worst);
    }

    void matchesLaplaceFluxChannel_data() {
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("length");
        QTest::addColumn<double>("sourceWidth");
        QTest::addColumn<double>("sourceLength");
        QTest::addColumn<Solids>("layers");
        QTest::newRow("silicon on copper, square source")
            << 1.0 << 1.0 << 0.2 << 0.2
            << Solids{{kSiliconK, kSiliconC, 0.05}, {kCopperK, kCopperC, 0.2}};
        QTest::newRow("GaAs on solder on copper, rectangular source")
            << 0.8 << 0.6 << 0.3 << 0.1
            << Solids{
                   {kGaAsK, kGaAsC, 0.02}, {kSolderK, kSolderC, 0.005}, {kCopperK, kCopperC, 0.15}};
    }
    void matchesLaplaceFluxChannel() {
        QFETCH(double, width);
        QFETCH(double, length);
        QFETCH(double, sourceWidth);
        QFETCH(double, sourceLength);
        QFETCH(Solids, layers);
        const exact::Stack stack = ChannelStack(width, length, sourceWidth, sourceLength, layers);
        const exact::TransientResult result = Solved(stack, layers);
        QCOMPARE(result.Status, exact::TransientStatus::Ok);
        const laplace_flux_channel::Channel channel = LaplaceChannel(stack, layers);
        const std::vector<std::size_t> picked = SpreadTimes(result.TimeS, 1e-5, 8);
        QVERIFY(picked.size() >= 8);
        double worst = 0.0;
        for (const std::size_t n : picked) {
            const double t = result.TimeS[n];
            const double average = laplace_flux_channel::Rise(channel, t, false, 150) / stack.Power;
            worst = std::max(worst, std::fabs(result.ZthAverage[n] / average - 1.0));
            VERIFY_NEAR(result.ZthAverage[n], average, 0.01 * average);
            // The series at the centre converges slowly while the heat is near the face.
            if (t < 1e-3) continue;
            const double centre = laplace_flux_channel::Rise(channel, t, true, 150) / stack.Power;
            worst = std::max(worst, std::fabs(result.ZthPeak[n] / centre - 1.0));
            VERIFY_NEAR(result.ZthPeak[n], centre, 0.01 * centre);
        }
        qInfo("largest deviation from the series %.3f %%", 100.0 * worst);
    }

    // The curve must end on the steady 3-D check of the same model, K(T) included.
    void steadyEndMatchesExactCheck_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("power die, silicon K(T)") << 0;
        QTest::newRow("stepped spreader, constant K") << 1;
        QTest::newRow("pedestal narrower than the source") << 2;
    }
    void steadyEndMatchesExactCheck() {
        QFETCH(int, which);
        const exact_stacks::Case c = which == 0   ? exact_stacks::ThreeLayerCase()
                                     : which == 1 ? SteppedCase()
                                                  : PedestalCase();
        const exact::TransientResult result =
            RunOn(c, which == 0 ? ThreeLayerCapacities() : SteppedCapacities());
        QCOMPARE(result.Status, exact::TransientStatus::Ok);
        const exact::ExactResult check = exact::RunExactCheck(c.Model, c.Table);
        QCOMPARE(check.Status, exact::ExactStatus::Ok);
        qInfo("steady Zth average %.5f K/W (check %.5f), peak %.5f K/W (check %.5f)",
              result.SteadyZthAverage, check.AverageResistance, result.SteadyZthPeak,
              check.PeakResistance);
        // Where the check itself is less certain than 0.5 % (a layer edge under the source
        // converges slowly, and the check then states a conservative bound), its bound holds.
        const double power = c.Model.PowerDissipation;
        const double averageTolerance =
            std::max(0.005 * check.AverageResistance, check.AverageErrorK / power);
        const double peakTolerance =
            std::max(0.005 * check.PeakResistance, check.PeakErrorK / power);
        VERIFY_NEAR(result.SteadyZthAverage, check.AverageResistance, averageTolerance);
        VERIFY_NEAR(result.SteadyZthPeak, check.PeakResistance, peakTolerance);
        VERIFY_NEAR(result.ZthAverage.back(), check.AverageResistance, averageTolerance);
        VERIFY_NEAR(result.ZthPeak.back(), check.PeakResistance, peakTolerance);
    }

    // The curve starts at the start time, has at least 10 points in every decade and ends once
    // both rises are within 0.1 % of their steady values, not before.
    void curveCoversStartToSettled_data() {
        QTest::addColumn<double>("startTime");
        QTest::newRow("from 1 us") << 1e-6;
        QTest::newRow("from 10 ns") << 1e-8;
    }
    void curveCoversStartToSettled() {
        QFETCH(double, startTime);
        const exact_stacks::Case c = SteppedCase();
        exact::TransientOptions options = FastOptions();
        options.StartTime = startTime;
        const exact::TransientResult result =
            exact::RunTransient(c.Model, c.Table, LookupOf(SteppedCapacities()), options);
        QCOMPARE(result.Status, exact::TransientStatus::Ok);
        QCOMPARE(result.TimeS.front(), startTime);
        QCOMPARE(result.ZthAverage.size(), result.TimeS.size());
        QCOMPARE(result.ZthPeak.size(), result.TimeS.size());
        for (std::size_t n = 1; n < result.TimeS.size(); ++n) {
            QVERIFY(result.TimeS[n] > result.TimeS[n - 1]);
            // Ten points per decade: no gap wider than a tenth of a decade.
            QVERIFY(std::log10(result.TimeS[n] / result.TimeS[n - 1]) <= 0.1);
            QVERIFY(result.ZthPeak[n] >= result.ZthAverage[n]);
        }
        const auto settled = [&](std::size_t n) {
            return std::fabs(result.ZthAverage[n] / result.SteadyZthAverage - 1.0) <= 1e-3 &&
                   std::fabs(result.ZthPeak[n] / result.SteadyZthPeak - 1.0) <= 1e-3;
        };
        QVERIFY(settled(result.TimeS.size() - 1));
        QVERIFY(!settled(result.TimeS.size() - 2));
    }

    // Heat put in by the source is either held in the stack or has flowed into the base.
    void energyIsConserved_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("power die, silicon K(T)") << 0;
        QTest::newRow("stepped spreader, constant K") << 1;
    }
    void energyIsConserved() {
        QFETCH(int, which);
        const exact_stacks::Case c = which == 0 ? exact_stacks::ThreeLayerCase() : SteppedCase();
        const exact::TransientResult result =
            RunOn(c, which == 0 ? ThreeLayerCapacities() : SteppedCapacities());
        QCOMPARE(result.Status, exact::TransientStatus::Ok);
        const double power = c.Model.PowerDissipation;
        // Before the start time next to nothing has reached the base.
        double conducted = result.BaseFlowW.front() * result.TimeS.front();
        for (std::size_t n = 0; n < result.TimeS.size(); ++n) {
            if (n > 0) {
                conducted += 0.5 * (result.BaseFlowW[n] + result.BaseFlowW[n - 1]) *
                             (result.TimeS[n] - result.TimeS[n - 1]);
            }
            const double injected = power * result.TimeS[n];
            VERIFY_NEAR(result.StoredJ[n] + conducted, injected, 0.005 * injected);
        }
    }

    // A time step's solve starts from the combination of remembered solutions and must end on
    // the direct solution whatever they are: none, earlier steps', the answer itself (no cycle
    // needed) or one solution remembered more than once, which leaves the combination undetermined.
    void stepSolveMatchesDirectSolve_data() {
        QTest::addColumn<Remembered>("remembered");
        QTest::newRow("nothing") << Remembered::Nothing;
        QTest::newRow("earlier steps") << Remembered::EarlierSteps;
        QTest::newRow("its own solution") << Remembered::ItsOwnSolution;
        QTest::newRow("parallel solutions") << Remembered::ParallelSolutions;
    }
    void stepSolveMatchesDirectSolve() {
        QFETCH(Remembered, remembered);
        StepSystem step;
        BuildStepSystem(step, 1e4);
        exact::StepGuess guess(step.Capacity, 6);
        const auto remember = [&](const Eigen::VectorXd& x) {
            guess.Remember(x, step.Times(step.Stiffness, x));
        };
        if (remembered == Remembered::EarlierSteps) {
            for (const double earlier : {8.0, 4.0, 2.0}) remember(step.SolvedAt(earlier * 1e4));
        } else if (remembered == Remembered::ItsOwnSolution) {
            remember(step.Expected);
        } else if (remembered == Remembered::ParallelSolutions) {
            const Eigen::VectorXd earlier = step.SolvedAt(2e4);
            for (const double scale : {1.0, 1.0, 2.0}) remember(scale * earlier);
        }
        exact::StepGuess::Guess start = guess.For(step.Rhs, step.Shift);
        Eigen::VectorXd residual = step.Rhs - start.Product;
        exact::GradientsWorkspace workspace;
        const exact::GradientsOutcome outcome = exact::ConjugateGradients(
            [&](const Eigen::VectorXd& in, Eigen::VectorXd& out) {
                out = step.Times(step.Shifted, in);
            },
            [&](const Eigen::VectorXd& in, Eigen::VectorXd& out) { step.Multigrid.Apply(in, out); },
            step.Rhs, start.Solution, residual, 1e-6, 100, workspace);
        QVERIFY(outcome.Converged);
        const double scale = step.Expected.cwiseAbs().maxCoeff();
        QVERIFY((start.Solution - step.Expected).cwiseAbs().maxCoeff() < 1e-4 * scale);
        // The residual handed back is the solution's own: the next step's guess is built on it.
        const Eigen::VectorXd actual = step.Rhs - step.Times(step.Shifted, start.Solution);
        QVERIFY((residual - actual).norm() < 1e-9 * step.Rhs.norm());
        if (remembered == Remembered::ItsOwnSolution) QCOMPARE(outcome.Applications, 0);
    }

    // A layer whose material has no usable heat capacity stops the transient with the layer,
    // the material and the file to put it in named; nothing is computed from a guess.
    void missingHeatCapacityIsNamed_data() {
        QTest::addColumn<HeatCapacityMap>("capacities");
        QTest::addColumn<QString>("expected");
        QTest::newRow("absent") << HeatCapacityMap{{1, kSiliconC}, {3, kCopperC}}
                                << QStringLiteral(
                                       "Layer 2 (Material 2, material 2) has no heat "
                                       "capacity: add its density and specific heat "
                                       "to Materials/matheat.csv.");
        QTest::newRow("zero") << HeatCapacityMap{{1, kSiliconC}, {2, kSolderC}, {3, 0.0}}
                              << QStringLiteral(
                                     "Layer 3 (Material 3, material 3) has a heat "
                                     "capacity of 0 J/m3-K, which is not a positive "
                                     "number: correct it in Materials/matheat.csv.");
        QTest::newRow("negative") << HeatCapacityMap{{1, -2.0}, {2, kSolderC}, {3, kCopperC}}
                                  << QStringLiteral(
                                         "Layer 1 (Material 1, material 1) has a heat "
                                         "capacity of -2 J/m3-K, which is not a "
                                         "positive number: correct it in "
                                         "Materials/matheat.csv.");
    }
    void missingHeatCapacityIsNamed() {
        QFETCH(HeatCapacityMap, capacities);
        QFETCH(QString, expected);
        const exact::TransientResult result = RunOn(exact_stacks::ThreeLayerCase(), capacities);
        QCOMPARE(result.Status, exact::TransientStatus::NotAvailable);
        QCOMPARE(QString::fromStdString(result.Message), expected);
        QVERIFY(result.TimeS.empty());
    }

    // Options that would make a curve from a guess are refused, naming the value.
    void badOptionsAreRefused_data() {
        QTest::addColumn<double>("startTime");
        QTest::addColumn<double>("settledShare");
        QTest::addColumn<QString>("expected");
        QTest::newRow("start at zero")
            << 0.0 << 1e-3
            << QStringLiteral("The start time of the transient, 0 s, is not a positive number.");
        QTest::newRow("negative start")
            << -1e-6 << 1e-3
            << QStringLiteral(
                   "The start time of the transient, -1e-06 s, is not a positive number.");
        QTest::newRow("start not a number")
            << std::nan("") << 1e-3
            << QStringLiteral("The start time of the transient, nan s, is not a positive number.");
        QTest::newRow("never settled")
            << 1e-6 << 0.0
            << QStringLiteral("The settling share of the transient, 0, is not between 0 and 1.");
    }
    void badOptionsAreRefused() {
        QFETCH(double, startTime);
        QFETCH(double, settledShare);
        QFETCH(QString, expected);
        exact::TransientOptions options = FastOptions();
        options.StartTime = startTime;
        options.SettledShare = settledShare;
        const exact_stacks::Case c = SteppedCase();
        const exact::TransientResult result =
            exact::RunTransient(c.Model, c.Table, LookupOf(SteppedCapacities()), options);
        QCOMPARE(result.Status, exact::TransientStatus::NotAvailable);
        QCOMPARE(QString::fromStdString(result.Message), expected);
        QVERIFY(result.TimeS.empty());
    }

    // What the steady check refuses, the transient refuses with the same words.
    void unavailableModelIsRefused() {
        exact_stacks::Case c = exact_stacks::ThreeLayerCase();
        c.Model.PowerDissipation = 0.0f;
        const exact::TransientResult result = RunOn(c, ThreeLayerCapacities());
        QCOMPARE(result.Status, exact::TransientStatus::NotAvailable);
        const exact::ExactResult check = exact::RunExactCheck(c.Model, c.Table);
        QCOMPARE(result.Message, check.Message);
    }

    void cancelStopsTheTransient_data() {
        QTest::addColumn<QString>("stage");
        QTest::newRow("before it starts") << QString();
        QTest::newRow("during the steady state") << QStringLiteral("Steady state");
        QTest::newRow("during the time steps") << QStringLiteral("Time steps");
    }
    void cancelStopsTheTransient() {
        QFETCH(QString, stage);
        CancelAtStage cancel(stage);
        const exact::TransientResult result =
            RunOn(exact_stacks::ThreeLayerCase(), ThreeLayerCapacities(), cancel.Hooks());
        QCOMPARE(result.Status, exact::TransientStatus::Cancelled);
        QVERIFY(result.TimeS.empty());
        QVERIFY(cancel.LastFraction < 1.0);
    }
};

QTEST_GUILESS_MAIN(TestTransient)
#include "test_transient.moc"
