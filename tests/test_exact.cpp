#include <QtTest>

#include <Eigen/IterativeLinearSolvers>
#include <Eigen/SparseCholesky>
#include <algorithm>
#include <cmath>

#include "core/thermal_calc.h"
#include "exact/conductances.h"
#include "exact/conduction_solve.h"
#include "exact/core_pair.h"
#include "exact/exact_check.h"
#include "exact/grid_solve.h"
#include "exact/line_multigrid.h"
#include "exact/linear_system.h"
#include "exact/stack.h"
#include "support/cancel_at_stage.h"
#include "support/exact_channel.h"
#include "support/exact_stacks.h"
#include "support/float_compare.h"
#include "support/flux_channel_series.h"

using namespace strativex;

namespace {

double RiseOf(double temperatureC, const Model& model) {
    return temperatureC - model.IsothermalTemp;
}

// The Kirchhoff transform of one layer on an isothermal base: the temperature whose integral
// of K from the base equals K(base) times the rise of the constant-K solution.
double Kirchhoff(double baseK, double b, double linearRise) {
    if (b == -1.0) return baseK * std::exp(linearRise / baseK);
    return std::pow(std::pow(baseK, b + 1) + (b + 1) * std::pow(baseK, b) * linearRise,
                    1.0 / (b + 1));
}

double Largest(const std::vector<double>& values) {
    return *std::max_element(values.begin(), values.end());
}

double LargestDifference(const std::vector<double>& a, const std::vector<double>& b) {
    double largest = 0.0;
    for (std::size_t n = 0; n < a.size(); ++n) largest = std::max(largest, std::fabs(a[n] - b[n]));
    return largest;
}

exact::ExactResult Checked(const Model& model, const MaterialTable& table) {
    exact::ExactResult result = exact::RunExactCheck(model, table);
    if (result.Status != exact::ExactStatus::Ok) qWarning("%s", result.Message.c_str());
    return result;
}

}  // namespace

class TestExact : public QObject {
    Q_OBJECT

private slots:
    // Layers of the channel's size under a smaller source: the series is the exact answer.
    void matchesFluxChannelSeries_data() {
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("length");
        QTest::addColumn<float>("sourceWidth");
        QTest::addColumn<float>("sourceLength");
        QTest::addColumn<Laws>("laws");
        QTest::addColumn<Layers>("layers");
        QTest::newRow("one layer, square source")
            << 10.0f << 10.0f << 2.0f << 2.0f << Laws{{1.5f, 0.0f}} << Layers{{1.0f}};
        QTest::newRow("one layer, rectangular source")
            << 10.0f << 6.0f << 3.0f << 1.0f << Laws{{1.5f, 0.0f}} << Layers{{1.0f}};
        QTest::newRow("thin spreader over thick insulator")
            << 10.0f << 10.0f << 2.0f << 2.0f << Laws{{4.0f, 0.0f}, {0.05f, 0.0f}}
            << Layers{{0.2f, 0, 0, 1}, {2.0f, 0, 0, 2}};
        QTest::newRow("thick insulator over thin spreader")
            << 10.0f << 10.0f << 2.0f << 2.0f << Laws{{0.05f, 0.0f}, {4.0f, 0.0f}}
            << Layers{{2.0f, 0, 0, 1}, {0.2f, 0, 0, 2}};
        QTest::newRow("small source on a thick die, rectangular channel")
            << 8.0f << 12.0f << 1.0f << 4.0f << Laws{{1.5f, 0.0f}, {0.2f, 0.0f}}
            << Layers{{3.0f, 0, 0, 1}, {0.1f, 0, 0, 2}};
    }

    void matchesFluxChannelSeries() {
        QFETCH(float, width);
        QFETCH(float, length);
        QFETCH(float, sourceWidth);
        QFETCH(float, sourceLength);
        QFETCH(Laws, laws);
        QFETCH(Layers, layers);
        const Model model = exact_stacks::StackModel(sourceWidth, sourceLength,
                                                     ChannelSized(layers, width, length), 10.0f);
        const MaterialTable table = exact_stacks::TableOf(laws);
        const exact::ExactResult result = Checked(model, table);
        QCOMPARE(result.Status, exact::ExactStatus::Ok);
        const flux_channel::Channel channel = ChannelOf(model, table);
        const double average = flux_channel::AverageRise(channel);
        const double centroid = flux_channel::CentroidRise(channel);
        qInfo("average %.5f K (series %.5f), peak %.5f K (series %.5f)",
              RiseOf(result.AverageSourceTempC, model), average,
              RiseOf(result.PeakSourceTempC, model), centroid);
        VERIFY_NEAR(RiseOf(result.AverageSourceTempC, model), average, 0.01 * average);
        VERIFY_NEAR(RiseOf(result.PeakSourceTempC, model), centroid, 0.01 * centroid);
        VERIFY_NEAR(result.AverageResistance, average / model.PowerDissipation,
                    0.01 * average / model.PowerDissipation);
        // The error estimate must tell the error it estimates, within three times either way:
        // an estimate far above the error is as useless to the user as one below it.
        const double trueError = std::fabs(RiseOf(result.AverageSourceTempC, model) - average);
        qInfo("average error %.3g K, estimated %.3g K", trueError, result.AverageErrorK);
        QVERIFY(trueError <= 3.0 * result.AverageErrorK);
        QVERIFY(result.AverageErrorK <= 3.0 * trueError);
        // The error shown in % is that of the rise.
        VERIFY_NEAR(result.AverageErrorPercent, 100.0 * result.AverageErrorK / average,
                    0.02 * result.AverageErrorPercent);
        // Layer 1's top is the heated area, so its estimate is the average's.
        QCOMPARE(result.LayerTopErrorK.size(), layers.size());
        VERIFY_NEAR(result.LayerTopErrorK.front(), result.AverageErrorK, 1e-9);
    }

    // One layer with K = A * T^B on an isothermal base at a power that more than doubles the
    // base temperature's conductivity ratio: the constant-K series, mapped by the Kirchhoff
    // transform, is exact point by point.
    void followsKirchhoffTransform_data() {
        QTest::addColumn<float>("b");
        QTest::newRow("K falling as 1/T") << -1.0f;
        QTest::newRow("K falling as silicon's") << -1.35f;
        QTest::newRow("K rising") << 0.5f;
    }

    void followsKirchhoffTransform() {
        QFETCH(float, b);
        // 1.5 W/cm-K at the 300 K base.
        const auto a = static_cast<float>(1.5 * std::pow(300.0, -static_cast<double>(b)));
        Model model = exact_stacks::StackModel(2.0f, 2.0f, {{1.0f, 10.0f, 10.0f}}, 125.0f, 26.84f);
        const MaterialTable table = exact_stacks::TableOf({{a, b}});
        const exact::ExactResult result = Checked(model, table);
        QCOMPARE(result.Status, exact::ExactStatus::Ok);

        const double baseK = model.IsothermalTemp + exact::kKelvinOffset;
        const flux_channel::Channel channel = ChannelOf(model, table);
        const double peak = Kirchhoff(baseK, b, flux_channel::CentroidRise(channel));
        // The mapped field averaged over the source by the midpoint rule on a quarter of it.
        const flux_channel::Terms terms = flux_channel::MakeTerms(channel, 200);
        constexpr int kPoints = 12;
        double sum = 0.0;
        for (int i = 0; i < kPoints; ++i) {
            for (int j = 0; j < kPoints; ++j) {
                const double x = (i + 0.5) / kPoints * channel.SourceWidth / 2;
                const double y = (j + 0.5) / kPoints * channel.SourceLength / 2;
                sum += Kirchhoff(baseK, b, flux_channel::Rise(channel, terms, true, x, y));
            }
        }
        const double averageRise = sum / (kPoints * kPoints) - baseK;
        const double peakRise = peak - baseK;
        qInfo("average rise %.4f K (transform %.4f), peak rise %.4f K (transform %.4f)",
              result.AverageSourceTempK - baseK, averageRise, result.PeakSourceTempK - baseK,
              peakRise);
        QVERIFY(peakRise > 0.3 * baseK);
        VERIFY_NEAR(result.AverageSourceTempK - baseK, averageRise, 0.01 * averageRise);
        VERIFY_NEAR(result.PeakSourceTempK - baseK, peakRise, 0.01 * peakRise);
    }

    // A source covering the whole top of layers of its own size: heat flows straight down.
    void wholeFaceSourceIsOneDimensional_data() {
        QTest::addColumn<Laws>("laws");
        QTest::addColumn<Layers>("layers");
        QTest::newRow("one layer") << Laws{{1.5f, 0.0f}} << Layers{{1.0f, 5, 4, 1}};
        QTest::newRow("three layers") << Laws{{1.5f, 0.0f}, {0.05f, 0.0f}, {4.0f, 0.0f}}
                                      << Layers{{0.5f, 5, 4, 1}, {0.05f, 5, 4, 2}, {2.0f, 5, 4, 3}};
        QTest::newRow("temperature-dependent conductivity")
            << Laws{{3268.703f, -1.35f}} << Layers{{2.0f, 5, 4, 1}};
    }

    void wholeFaceSourceIsOneDimensional() {
        QFETCH(Laws, laws);
        QFETCH(Layers, layers);
        const Model model = exact_stacks::StackModel(5.0f, 4.0f, layers, 100.0f);
        const MaterialTable table = exact_stacks::TableOf(laws);
        const exact::ExactResult result = Checked(model, table);
        QCOMPARE(result.Status, exact::ExactStatus::Ok);
        // Up through the stack, each layer's top from its bottom: the integral of K from the
        // bottom temperature to the top one is the flux times the thickness.
        const double flux = model.PowerDissipation / (0.5 * 0.4);
        double temperature = model.IsothermalTemp + exact::kKelvinOffset;
        std::vector<double> tops(layers.size());
        for (std::size_t n = layers.size(); n-- > 0;) {
            const auto [a, b] = laws[layers[n].MaterialId - 1];
            const double drop = flux * layers[n].Thickness / 10.0 / (a * std::pow(temperature, b));
            temperature = Kirchhoff(temperature, b, drop);
            tops[n] = temperature - exact::kKelvinOffset;
        }
        const double rise = temperature - exact::kKelvinOffset - model.IsothermalTemp;
        qInfo("rise %.6f K, one-dimensional %.6f K", RiseOf(result.AverageSourceTempC, model),
              rise);
        for (std::size_t n = 0; n < layers.size(); ++n) {
            VERIFY_NEAR(result.LayerTopTempC[n], tops[n], 0.001 * rise);
        }
        VERIFY_NEAR(RiseOf(result.AverageSourceTempC, model), rise, 0.001 * rise);
        VERIFY_NEAR(RiseOf(result.PeakSourceTempC, model), rise, 0.001 * rise);
    }

    void thinLayerAddsItsOneDimensionalResistance() {
        const MaterialTable table = exact_stacks::TableOf({{1.5f, 0.0f}, {0.01f, 0.0f}});
        const Layers substrate{{1.0f, 10, 10, 1}};
        Layers withFilm{{0.01f, 10, 10, 2}};
        withFilm.push_back(substrate.front());
        const exact::ExactResult without =
            Checked(exact_stacks::StackModel(2.0f, 2.0f, substrate, 10.0f), table);
        const exact::ExactResult with =
            Checked(exact_stacks::StackModel(2.0f, 2.0f, withFilm, 10.0f), table);
        // 0.001 cm / (0.01 W/cm-K * 0.04 cm2) = 2.5 K/W.
        qInfo("the film adds %.5f K/W", with.AverageResistance - without.AverageResistance);
        VERIFY_NEAR(with.AverageResistance - without.AverageResistance, 2.5, 0.01 * 2.5);
    }

    // Where the device overhangs layer 1 the heat enters over the overlap only, and all of it
    // leaves through the base: the quarter's bottom cells carry a quarter of the power.
    void overhangingDeviceDeliversTheWholePower() {
        const MaterialTable table = exact_stacks::TableOf({{1.5f, 0.0f}, {0.5f, 0.0f}});
        const Model model =
            exact_stacks::StackModel(6.0f, 3.0f, {{0.5f, 4, 4, 1}, {1.0f, 0, 0, 2}}, 10.0f);
        const exact::ExactResult result = Checked(model, table);
        const exact::TemperatureField& field = result.Field;
        const exact::Grid& grid = field.Mesh;
        QCOMPARE(grid.SourceHalfWidth, 0.2);
        QCOMPARE(grid.SourceHalfLength, 0.15);
        const int bottom = grid.Nz() - 1;
        const double baseK = model.IsothermalTemp + exact::kKelvinOffset;
        double heat = 0.0;
        for (int i = 0; i < grid.Nx(); ++i) {
            for (int j = 0; j < grid.Ny(); ++j) {
                const std::size_t c = grid.Index(i, j, bottom);
                const double area = (grid.X[i + 1] - grid.X[i]) * (grid.Y[j + 1] - grid.Y[j]);
                const double halfDepth = 0.5 * (grid.Z[bottom + 1] - grid.Z[bottom]);
                heat += field.Conductivity[c] * area / halfDepth * (field.TempK[c] - baseK);
            }
        }
        VERIFY_NEAR(heat, model.PowerDissipation / 4.0, 1e-6 * model.PowerDissipation);
    }

    void inchesMatchMillimetres() {
        const exact_stacks::Case c = exact_stacks::ThreeLayerCase();
        Model english = c.Model;
        english.UnitSystem = LengthUnit::Inches;
        for (int i = 0; i <= english.LayerCount; ++i) {
            english.Layers[i].Width /= 25.4f;
            english.Layers[i].Length /= 25.4f;
            english.Layers[i].Thickness /= 25.4f;
        }
        const exact::ExactResult metric = Checked(c.Model, c.Table);
        const exact::ExactResult inches = Checked(english, c.Table);
        const double rise = RiseOf(metric.AverageSourceTempC, c.Model);
        VERIFY_NEAR(inches.AverageSourceTempC, metric.AverageSourceTempC, 1e-5 * rise);
        VERIFY_NEAR(inches.PeakSourceTempC, metric.PeakSourceTempC, 1e-5 * rise);
        // Pictures come in the model's unit.
        VERIFY_NEAR(inches.Section.X.back() * 25.4, metric.Section.X.back(), 1e-4);
        VERIFY_NEAR(inches.Outlines.back().Bottom * 25.4, 3.6, 1e-4);
    }

    // A layer without lateral limit is cut off where moving the edge changes nothing: it
    // behaves as one far wider than the heat spreads.
    void unlimitedLayersMatchVeryWideOnes() {
        const MaterialTable table = exact_stacks::TableOf({{4.0f, 0.0f}, {0.2f, 0.0f}});
        const Model unlimited =
            exact_stacks::StackModel(2.0f, 1.0f, {{0.3f, 0, 0, 1}, {2.0f, 0, 0, 2}}, 10.0f);
        const Model wide =
            exact_stacks::StackModel(2.0f, 1.0f, {{0.3f, 400, 400, 1}, {2.0f, 400, 400, 2}}, 10.0f);
        const exact::ExactResult a = Checked(unlimited, table);
        const exact::ExactResult b = Checked(wide, table);
        const double rise = RiseOf(b.AverageSourceTempC, wide);
        qInfo("unlimited %.5f K, 400 mm wide %.5f K", RiseOf(a.AverageSourceTempC, unlimited),
              rise);
        VERIFY_NEAR(RiseOf(a.AverageSourceTempC, unlimited), rise, 0.002 * rise);
        QVERIFY(a.Outlines.back().UnlimitedWidth);
        QVERIFY(!b.Outlines.back().UnlimitedWidth);
    }

    void equivalentAngleReproducesTheAverage_data() {
        QTest::addColumn<Layers>("layers");
        QTest::addColumn<bool>("exists");
        QTest::newRow("unlimited layers") << Layers{{0.5f, 0, 0, 1}, {2.0f, 0, 0, 2}} << true;
        QTest::newRow("stepped layers")
            << Layers{{0.5f, 6, 6, 1}, {0.1f, 8, 8, 2}, {2.0f, 30, 30, 1}} << true;
        // Heat squeezed into a layer narrower than the device: the estimate's mean of the
        // device and layer areas is optimistic at any angle.
        QTest::newRow("device overhanging a narrow layer")
            << Layers{{2.0f, 1, 1, 2}, {1.0f, 0, 0, 1}} << false;
        // A block much taller than wide: below the device's footprint the heat soon fills the
        // whole block, while the estimate takes the mean of the device's and the block's
        // areas at any angle, so it stays pessimistic even at 89 degrees.
        QTest::newRow("tall block wider than the device") << Layers{{100.0f, 12, 12, 1}} << false;
    }

    void equivalentAngleReproducesTheAverage() {
        QFETCH(Layers, layers);
        QFETCH(bool, exists);
        const MaterialTable table = exact_stacks::TableOf({{3.9f, 0.0f}, {0.5f, 0.0f}});
        const Model model = exact_stacks::StackModel(4.0f, 4.0f, layers, 20.0f);
        const exact::ExactResult result = Checked(model, table);
        QCOMPARE(result.Status, exact::ExactStatus::Ok);
        // Each grid's first solve starts from nothing, so it takes a step however soon it
        // converges; a count below one a grid tells the user nothing was solved.
        QVERIFY(result.SolverIterations >= 3);
        QCOMPARE(result.EquivalentAngleDeg.has_value(), exists);
        QVERIFY(result.EstimateSourceTempC.has_value());
        const double estimateRise = RiseOf(*result.EstimateSourceTempC, model);
        const double exactRise = RiseOf(result.AverageSourceTempC, model);
        VERIFY_NEAR(*result.EstimateErrorPercent, 100.0 * (estimateRise - exactRise) / exactRise,
                    1e-9);
        QCOMPARE(result.EstimateLayerTopTempC.size(), layers.size());
        QCOMPARE(result.EstimateLayerTopTempC.front(), *result.EstimateSourceTempC);
        const auto estimateAt = [&](float angle) {
            Model atAngle = model;
            for (int i = 1; i <= atAngle.LayerCount; ++i) atAngle.Layers[i].SpreadAngle = angle;
            RecalculateModel(atAngle, table);
            return *HeatSourceTempC(atAngle);
        };
        const double average = result.AverageSourceTempC;
        if (exists) {
            VERIFY_NEAR(estimateAt(static_cast<float>(*result.EquivalentAngleDeg)), average, 1e-3);
        } else {
            // No angle from 0 to 89 degrees reaches the exact average: it lies beyond one end.
            QVERIFY(average > estimateAt(0.0f) || average < estimateAt(89.0f));
        }
    }

    // The multigrid-preconditioned conjugate gradients against Eigen's direct solver.
    void multigridMatchesDirectSolver_data() {
        QTest::addColumn<int>("stack");
        QTest::addColumn<int>("maxIterations");
        QTest::newRow("three layers, stepped") << 3 << 20;
        QTest::newRow("ten thin layers of mixed conductivity") << 10 << 40;
        // The hardest kind: a thin spreader carrying the heat sideways over an insulator.
        QTest::newRow("copper film on an unlimited insulator") << 2 << 90;
    }

    void multigridMatchesDirectSolver() {
        QFETCH(int, stack);
        QFETCH(int, maxIterations);
        const exact_stacks::Case c = stack == 3    ? exact_stacks::ThreeLayerCase()
                                     : stack == 10 ? exact_stacks::TenLayerCase()
                                                   : exact_stacks::FilmOnInsulatorCase();
        exact::ExactOptions options;
        options.Fineness = 0.4;
        const exact::Stack layers = exact::StackOf(c.Model, c.Table);
        const exact::Grid grid = exact::BuildGrid(layers, options);
        const std::vector<double> rise(grid.CellCount(), 0.0);
        const exact::Conductances g =
            exact::AssembleConductances(grid, exact::CellConductivity(grid, layers, rise));
        const exact::LinearSystem system = exact::AssembleSystem(g);
        const std::vector<double> heatInCells = exact::SourceHeat(grid, layers.Power);
        const Eigen::VectorXd heat = exact::Gather(system, heatInCells);

        const Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> direct(system.Matrix);
        std::vector<double> expected(grid.CellCount(), 0.0);
        exact::Scatter(system, direct.solve(heat), expected);

        exact::LineMultigrid multigrid;
        multigrid.Build(g);
        std::vector<double> actual(grid.CellCount(), 0.0);
        exact::GridSolveWorkspace workspace;
        const exact::LinearStep step =
            exact::SolveOnGrid(g, multigrid, heatInCells, 1e-10, 2000, actual, workspace);

        Eigen::ConjugateGradient<Eigen::SparseMatrix<double>, Eigen::Lower | Eigen::Upper> diagonal(
            system.Matrix);
        diagonal.setTolerance(1e-10);
        diagonal.setMaxIterations(20000);
        std::vector<double> unpreconditioned(grid.CellCount(), 0.0);
        exact::Scatter(system, diagonal.solve(heat), unpreconditioned);

        qInfo("%zu cells: multigrid %d iterations, diagonal scaling %ld", system.Cells.size(),
              step.Iterations, static_cast<long>(diagonal.iterations()));
        QCOMPARE(step.Status, exact::SolveStatus::Converged);
        QVERIFY(LargestDifference(actual, expected) < 1e-7 * Largest(expected));
        QVERIFY(LargestDifference(unpreconditioned, expected) < 1e-6 * Largest(expected));
        QVERIFY(step.Iterations <= maxIterations);
        QVERIFY(step.Iterations * 10 < diagonal.iterations());
    }

    // A conductivity iteration reassembles only the rows whose conductivity moved, shared
    // between the cores; the faces of the row above them change too, and must come out as a
    // full assembly's on one core, bit for bit.
    void reassembledRowsMatchFullAssembly() {
        const exact_stacks::Case c = exact_stacks::TenLayerCase();
        exact::ExactOptions options;
        options.Fineness = 0.4;
        const exact::Stack layers = exact::StackOf(c.Model, c.Table);
        const exact::Grid grid = exact::BuildGrid(layers, options);
        std::vector<double> conductivity =
            exact::CellConductivity(grid, layers, std::vector<double>(grid.CellCount()));
        exact::Conductances reassembled = exact::AssembleConductances(grid, conductivity);
        // A layer in the middle of the stack, so that rows lie both above and below it.
        std::vector<bool> changed(static_cast<std::size_t>(grid.Nz()));
        for (int l = 0; l < grid.Nz(); ++l) changed[l] = grid.LayerOfRow[l] == 4;
        for (std::size_t cell = 0; cell < conductivity.size(); ++cell) {
            if (changed[cell % grid.Nz()]) conductivity[cell] *= 1.7;
        }
        exact::CorePair cores(2);
        QVERIFY(grid.CellCount() >= exact::CorePair::kLeastSharedCells);
        exact::ReassembleConductances(grid, conductivity, changed, reassembled, &cores);
        const exact::Conductances full = exact::AssembleConductances(grid, conductivity);
        QVERIFY(reassembled.Gx == full.Gx);
        QVERIFY(reassembled.Gy == full.Gy);
        QVERIFY(reassembled.Gz == full.Gz);
        QVERIFY(reassembled.Base == full.Base);
        QVERIFY(reassembled.Diagonal == full.Diagonal);
    }

    // A conductivity iteration keeps the multigrid levels of its first conductivities: at
    // conductivities far from those, the solve must still match the direct one within as many
    // iterations.
    void keptPreconditionerSolvesNewConductances_data() {
        QTest::addColumn<int>("stack");
        QTest::addColumn<int>("maxIterations");
        QTest::newRow("three layers, silicon at 150 K above the base") << 3 << 20;
        QTest::newRow("ten layers, GaAs at 150 K above the base") << 10 << 40;
    }

    void keptPreconditionerSolvesNewConductances() {
        QFETCH(int, stack);
        QFETCH(int, maxIterations);
        const exact_stacks::Case c =
            stack == 3 ? exact_stacks::ThreeLayerCase() : exact_stacks::TenLayerCase();
        exact::ExactOptions options;
        options.Fineness = 0.4;
        const exact::Stack layers = exact::StackOf(c.Model, c.Table);
        const exact::Grid grid = exact::BuildGrid(layers, options);
        const exact::Conductances cold = exact::AssembleConductances(
            grid, exact::CellConductivity(grid, layers, std::vector<double>(grid.CellCount())));
        // Uneven from cell to cell, so that a conductance applied to the wrong pair shows.
        std::vector<double> rise(grid.CellCount());
        for (std::size_t n = 0; n < rise.size(); ++n) rise[n] = 75.0 * (1.0 + std::sin(0.37 * n));
        const exact::Conductances hot =
            exact::AssembleConductances(grid, exact::CellConductivity(grid, layers, rise));

        exact::LineMultigrid multigrid;
        multigrid.Build(cold);
        const std::vector<double> heat = exact::SourceHeat(grid, layers.Power);
        std::vector<double> actual(grid.CellCount(), 0.0);
        exact::GridSolveWorkspace workspace;
        const exact::LinearStep step =
            exact::SolveOnGrid(hot, multigrid, heat, 1e-10, 2000, actual, workspace);

        const exact::LinearSystem system = exact::AssembleSystem(hot);
        const Eigen::SimplicialLDLT<Eigen::SparseMatrix<double>> direct(system.Matrix);
        std::vector<double> expected(grid.CellCount(), 0.0);
        exact::Scatter(system, direct.solve(exact::Gather(system, heat)), expected);
        QCOMPARE(step.Status, exact::SolveStatus::Converged);
        QVERIFY(LargestDifference(actual, expected) < 1e-7 * Largest(expected));
        QVERIFY(step.Iterations <= maxIterations);
    }

    void cancelStopsTheSolve_data() {
        QTest::addColumn<QString>("stage");
        QTest::newRow("before it starts") << QString();
        QTest::newRow("on the fine grid") << QStringLiteral("Solving on the fine grid");
    }

    void cancelStopsTheSolve() {
        QFETCH(QString, stage);
        const exact_stacks::Case c = exact_stacks::ThreeLayerCase();
        CancelAtStage cancel(stage);
        const exact::ExactResult result =
            exact::RunExactCheck(c.Model, c.Table, {}, cancel.Hooks());
        QCOMPARE(result.Status, exact::ExactStatus::Cancelled);
        QVERIFY(result.LayerTopTempC.empty());
        QVERIFY(cancel.LastFraction < 1.0);
    }

    void runawayConductivityIsNotConverged() {
        // K = 450 / T^3 collapses as the die heats, faster than any rise can carry the power.
        const Model model = exact_stacks::StackModel(1.0f, 1.0f, {{1.0f, 4, 4}}, 1000.0f);
        const exact::ExactResult result =
            exact::RunExactCheck(model, exact_stacks::TableOf({{450.0f, -3.0f}}));
        QCOMPARE(result.Status, exact::ExactStatus::NotConverged);
        QVERIFY(!result.Message.empty());
    }

    void unavailableNamesLayerAndReason_data() {
        QTest::addColumn<int>("layer");
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("text");
        using R = exact::UnavailableReason;
        const int none = exact::kWholeModel;
        QTest::newRow("no layers") << none << int(R::NoLayers) << "no layers";
        QTest::newRow("no material") << 2 << int(R::NoMaterial) << "Layer 2 has no material";
        QTest::newRow("deleted material") << 2 << int(R::MissingMaterial) << "Layer 2 uses";
        QTest::newRow("A not positive") << 2 << int(R::InvalidConductivity) << "Layer 2's";
        QTest::newRow("B not a number") << 2 << int(R::InvalidConductivity) << "Layer 2's";
        QTest::newRow("zero thickness") << 2 << int(R::InvalidThickness) << "Layer 2 needs";
        QTest::newRow("infinite thickness") << 2 << int(R::InvalidThickness) << "Layer 2 needs";
        QTest::newRow("layer width not a number") << 2 << int(R::InvalidSize) << "Layer 2 needs";
        QTest::newRow("zero device width") << 0 << int(R::InvalidSize) << "The heat source";
        QTest::newRow("zero power") << none << int(R::InvalidPower) << "power";
        QTest::newRow("base below absolute zero")
            << none << int(R::InvalidBaseTemperature) << "absolute zero";
    }

    void unavailableNamesLayerAndReason() {
        QFETCH(int, layer);
        QFETCH(int, reason);
        QFETCH(QString, text);
        MaterialTable table = exact_stacks::TableOf({{1.5f, 0.0f}, {3.9f, 0.0f}});
        Model model = exact_stacks::StackModel(
            2.0f, 2.0f, {{0.5f, 0, 0, 1}, {1.0f, 0, 0, 2}, {1.0f, 0, 0, 1}}, 10.0f);
        Layer& second = model.Layers[2];
        const QByteArray row = QTest::currentDataTag();
        if (row == "no layers") model.LayerCount = 0;
        if (row == "no material") second.MaterialId = 0;
        if (row == "deleted material") second.MaterialId = 99;
        if (row == "A not positive") table.Materials[2].A = 0.0f;
        if (row == "B not a number") table.Materials[2].B = NAN;
        if (row == "zero thickness") second.Thickness = 0.0f;
        if (row == "infinite thickness") second.Thickness = INFINITY;
        if (row == "layer width not a number") second.Width = NAN;
        if (row == "zero device width") model.Layers[0].Width = 0.0f;
        if (row == "zero power") model.PowerDissipation = 0.0f;
        if (row == "base below absolute zero") model.IsothermalTemp = -300.0f;
        const exact::ExactResult result = exact::RunExactCheck(model, table);
        QCOMPARE(result.Status, exact::ExactStatus::NotAvailable);
        QVERIFY(result.Unavailable.has_value());
        QCOMPARE(result.Unavailable->Layer, layer);
        QCOMPARE(int(result.Unavailable->Reason), reason);
        QVERIFY2(QString::fromStdString(result.Message).contains(text), result.Message.c_str());
    }

    // The pictures' data against the field they come from.
    void picturesSampleTheField() {
        const exact_stacks::Case c = exact_stacks::ThreeLayerCase();
        const exact::ExactResult result = Checked(c.Model, c.Table);
        const exact::CrossSection& section = result.Section;
        const std::size_t columns = section.X.size() - 1;
        QCOMPARE(section.TempC.size(), columns * (section.Z.size() - 1));
        QCOMPARE(section.X.front(), -section.X.back());
        VERIFY_NEAR(section.Z.back(), 3.6, 1e-6);
        // Mirror images across the centre; no number outside the body (the 10 mm die ends
        // at 5 mm, the 30 mm plate below it reaches the edge of the section).
        for (std::size_t l = 0; l + 1 < section.Z.size(); ++l) {
            for (std::size_t i = 0; i < columns; ++i) {
                const double left = section.TempC[l * columns + i];
                const double right = section.TempC[l * columns + columns - 1 - i];
                QVERIFY(std::isnan(left) ? std::isnan(right) : left == right);
            }
        }
        const std::size_t centre = columns / 2;
        const double depth = 0.5 * (section.Z[0] + section.Z[1]);
        const auto sampled = exact::TemperatureAtK(
            result.Field, 0.5 * (section.X[centre] + section.X[centre + 1]), 0.0, depth);
        QVERIFY(sampled.has_value());
        QCOMPARE(section.TempC[centre], *sampled - exact::kKelvinOffset);
        QVERIFY(!exact::TemperatureAtK(result.Field, 7.0, 0.0, depth).has_value());
        QVERIFY(exact::TemperatureAtK(result.Field, 7.0, 0.0, 3.0).has_value());

        const exact::FaceProfile& profile = result.WidthProfile;
        QCOMPARE(profile.SourceHalfSize, 2.5);
        QCOMPARE(profile.Position.back(), -profile.Position.front());
        QVERIFY(profile.Position.back() < 5.0);
        const double hottest = *std::max_element(profile.TempC.begin(), profile.TempC.end());
        VERIFY_NEAR(hottest, result.PeakSourceTempC, 3.0 * result.PeakErrorK + 0.01);
        QCOMPARE(result.Outlines.size(), std::size_t{3});
        QCOMPARE(result.Outlines[1].HalfWidth, 6.0);
    }
};

QTEST_APPLESS_MAIN(TestExact)
#include "test_exact.moc"
