#include <QtTest>

#include <Eigen/Core>
#include <algorithm>
#include <cmath>

#include "exact/conductances.h"
#include "exact/conduction_solve.h"
#include "exact/exact_check.h"
#include "exact/grid.h"
#include "exact/grid_solve.h"
#include "exact/line_multigrid.h"
#include "exact/separable_preconditioner.h"
#include "exact/separable_solve.h"
#include "exact/stack.h"
#include "support/cancel_at_stage.h"
#include "support/exact_channel.h"
#include "support/exact_stacks.h"

using namespace strativex;

namespace {

// Small enough grids that the reference solve takes moments.
constexpr std::size_t kCells = 30000;
// Against the reference solved to a residual of 1e-12; what is left is the reference's own
// error and rounding in the dense mode matrices.
constexpr double kSameField = 1e-7;

exact::Stack StackOf(const Laws& laws, const Layers& layers, float deviceMm, float power,
                     double h) {
    const Model model = exact_stacks::StackModel(deviceMm, deviceMm, layers, power);
    const exact::BaseCondition base =
        h > 0.0 ? exact::BaseCondition{exact::BaseKind::HeatTransfer, h} : exact::BaseCondition{};
    return exact::StackOf(model, exact_stacks::TableOf(laws), base);
}

exact::Grid SmallGrid(const exact::Stack& stack) {
    exact::ExactOptions options;
    options.MaxCells = kCells;
    return exact::BuildGrid(stack, options);
}

// The rise at fixed conductivities by conjugate gradients and the line multigrid, far below
// the check's own tolerance.
std::vector<double> MultigridRise(const exact::Grid& grid, const std::vector<double>& conductivity,
                                  const std::vector<double>& heat) {
    const exact::Conductances g = exact::AssembleConductances(grid, conductivity);
    exact::LineMultigrid multigrid;
    multigrid.Build(g);
    std::vector<double> rise(grid.CellCount(), 0.0);
    exact::GridSolveWorkspace workspace;
    exact::SolveOnGrid(g, multigrid, heat, 1e-12, 2000, rise, workspace);
    return rise;
}

// At the base temperature every layer has one conductivity, whatever its law.
std::vector<double> AtBase(const exact::Grid& grid, const exact::Stack& stack) {
    return exact::CellConductivity(grid, stack, std::vector<double>(grid.CellCount(), 0.0));
}

bool SameField(const std::vector<double>& rise, const std::vector<double>& reference) {
    double largest = 0.0, difference = 0.0;
    for (std::size_t c = 0; c < rise.size(); ++c) {
        largest = std::max(largest, reference[c]);
        difference = std::max(difference, std::fabs(rise[c] - reference[c]));
    }
    qInfo("largest rise %.6g K, difference %.3g K", largest, difference);
    return difference <= kSameField * largest;
}

void AddStacks() {
    QTest::addColumn<Laws>("laws");
    QTest::addColumn<Layers>("layers");
    QTest::addColumn<float>("deviceMm");
    QTest::addColumn<double>("h");  // W/m2-K; 0 for the isothermal base
    const Laws constant{{4.0f, 0.0f}, {0.01f, 0.0f}, {1.5f, 0.0f}};
    const Laws falling{{3268.703f, -1.35f}, {0.5f, 0.0f}, {3.9f, 0.0f}};
    const Layers unlimited{{0.05f, 0, 0, 1}, {5.0f, 0, 0, 2}};
    const Layers channel{{0.3f, 10, 10, 3}, {0.05f, 10, 10, 2}, {2.0f, 10, 10, 1}};
    QTest::newRow("copper film on insulator, unlimited") << constant << unlimited << 1.0f << 0.0;
    QTest::newRow("three layers of one size") << constant << channel << 2.0f << 0.0;
    QTest::newRow("three layers of one size on h") << constant << channel << 2.0f << 3000.0;
    QTest::newRow("source covering the layers") << constant << channel << 12.0f << 0.0;
    QTest::newRow("K falling with T, unlimited") << falling << unlimited << 0.5f << 0.0;
    QTest::newRow("K falling with T, one size") << falling << channel << 2.0f << 1e4;
}

}  // namespace

class TestExactSeparable : public QObject {
    Q_OBJECT

private slots:
    // The direct solve needs every cell of every row in the body; any layer smaller than
    // another leaves cells out and the multigrid must stay.
    void chosenOnlyWhereLayersCoverOneDomain_data() {
        QTest::addColumn<Layers>("layers");
        QTest::addColumn<bool>("separable");
        QTest::newRow("every layer unlimited") << Layers{{0.5f}, {2.0f}} << true;
        QTest::newRow("every layer 10 x 8 mm") << Layers{{0.5f, 10, 8}, {2.0f, 10, 8}} << true;
        QTest::newRow("one layer") << Layers{{1.0f, 6, 6}} << true;
        QTest::newRow("narrow die on a plate") << Layers{{0.5f, 5, 5}, {2.0f, 10, 10}} << false;
        QTest::newRow("plate on an unlimited floor") << Layers{{0.5f, 10, 10}, {2.0f}} << false;
        QTest::newRow("one length differs")
            << Layers{{0.5f, 10, 10}, {0.1f, 10, 9}, {2.0f, 10, 10}} << false;
        QTest::newRow("wider plate under a die") << Layers{{0.5f, 10, 10}, {2.0f, 12, 10}} << false;
    }

    void chosenOnlyWhereLayersCoverOneDomain() {
        QFETCH(Layers, layers);
        QFETCH(bool, separable);
        const exact::Stack stack = StackOf({{1.5f, 0.0f}}, layers, 2.0f, 1.0f, 0.0);
        const exact::Grid fine = exact::BuildGrid(stack, exact::ExactOptions{});
        QCOMPARE(exact::IsSeparable(fine), separable);
        QCOMPARE(exact::IsSeparable(exact::HalvedGrid(fine)), separable);
    }

    // With one conductivity per layer the separable solve is the grid's exact solution: one
    // application must give the field that the multigrid converges to.
    void directSolveIsTheGridSolution_data() { AddStacks(); }

    void directSolveIsTheGridSolution() {
        QFETCH(Laws, laws);
        QFETCH(Layers, layers);
        QFETCH(float, deviceMm);
        QFETCH(double, h);
        const exact::Stack stack = StackOf(laws, layers, deviceMm, 1.0f, h);
        const exact::Grid grid = SmallGrid(stack);
        QVERIFY(exact::IsSeparable(grid));
        const std::vector<double> k = AtBase(grid, stack);
        const std::vector<double> heat = exact::SourceHeat(grid, stack.Power);
        exact::SeparablePreconditioner direct;
        direct.Build(grid);
        direct.SetConductivity(grid, k);
        Eigen::VectorXd solved(static_cast<Eigen::Index>(heat.size()));
        direct.Apply(Eigen::Map<const Eigen::VectorXd>(heat.data(), solved.size()), solved);
        QVERIFY(SameField({solved.begin(), solved.end()}, MultigridRise(grid, k, heat)));
    }

    // Where K(T) makes the cells of a row differ, the direct solve for the rows' means only
    // preconditions, as it does where a layer is narrower than the grid and the grid is solved
    // filled row by row: the conjugate gradients must still reach the grid's own solution, and
    // leave every cell outside the body at zero, or the field would show heat where there is
    // no material.
    void conductivitiesVaryingInARowConverge_data() {
        AddStacks();
        const Laws falling{{3268.703f, -1.35f}, {0.5f, 0.0f}, {3.9f, 0.0f}};
        const Layers die{{0.5f, 10, 10, 1}, {0.1f, 12, 12, 2}, {3.0f, 30, 30, 3}};
        const Layers onFloor{{0.5f, 10, 10, 1}, {0.1f, 12, 12, 2}, {3.0f, 0, 0, 3}};
        QTest::newRow("filled: die, solder and plate") << falling << die << 5.0f << 0.0;
        QTest::newRow("filled: die, solder and plate on h") << falling << die << 5.0f << 5000.0;
        QTest::newRow("filled: die and solder on a floor") << falling << onFloor << 5.0f << 0.0;
    }

    void conductivitiesVaryingInARowConverge() {
        QFETCH(Laws, laws);
        QFETCH(Layers, layers);
        QFETCH(float, deviceMm);
        QFETCH(double, h);
        // Enough power that K differs by tens of percent between the source and the far field.
        const exact::Stack stack = StackOf(laws, layers, deviceMm, 20.0f, h);
        const exact::Grid grid = SmallGrid(stack);
        const std::vector<double> heat = exact::SourceHeat(grid, stack.Power);
        const std::vector<double> k =
            exact::CellConductivity(grid, stack, MultigridRise(grid, AtBase(grid, stack), heat));
        exact::SeparableSolves solves(nullptr);
        std::vector<double> rise(grid.CellCount(), 0.0);
        const exact::LinearStep step =
            solves.Solve(grid, exact::AssembleConductances(grid, k), k, heat, 1e-12, 2000, rise);
        QCOMPARE(step.Status, exact::SolveStatus::Converged);
        qInfo("%d conjugate-gradient iterations", step.Iterations);
        QVERIFY(SameField(rise, MultigridRise(grid, k, heat)));
        for (std::size_t c = 0; c < rise.size(); ++c) {
            if (!(k[c] > 0.0)) QCOMPARE(rise[c], 0.0);
        }
    }

    // Where layers narrow, the solve reads and writes only each row's cells in the body, in
    // runs of rows of one size: it must give what the grid filled with the rows' materials
    // gives for a residual that is zero outside the body, there and nowhere else. Rows whose
    // sizes rise, fall and differ by axis cover the runs' bookkeeping.
    void narrowLayersSolveAsTheFilledGrid_data() {
        QTest::addColumn<Layers>("layers");
        QTest::addColumn<double>("h");
        const Layers die{{0.5f, 10, 10, 1}, {0.1f, 12, 12, 2}, {3.0f, 30, 30, 3}};
        QTest::newRow("die, solder and plate") << die << 0.0;
        QTest::newRow("die, solder and plate on h") << die << 5000.0;
        QTest::newRow("wide plate on a narrow one on a floor")
            << Layers{{0.3f, 20, 20, 3}, {0.2f, 8, 8, 2}, {2.0f, 0, 0, 3}} << 0.0;
        QTest::newRow("narrower along one axis")
            << Layers{{0.5f, 10, 30, 1}, {0.4f, 30, 12, 2}, {2.0f, 30, 30, 3}} << 0.0;
    }

    void narrowLayersSolveAsTheFilledGrid() {
        QFETCH(Layers, layers);
        QFETCH(double, h);
        const Laws laws{{1.5f, 0.0f}, {0.5f, 0.0f}, {3.9f, 0.0f}};
        const exact::Stack stack = StackOf(laws, layers, 5.0f, 1.0f, h);
        const exact::Grid grid = SmallGrid(stack);
        QVERIFY(!exact::IsSeparable(grid));
        exact::Grid filled = grid;
        std::fill(filled.LayerHalfWidth.begin(), filled.LayerHalfWidth.end(), grid.X.back());
        std::fill(filled.LayerHalfLength.begin(), filled.LayerHalfLength.end(), grid.Y.back());
        const std::vector<double> k = AtBase(grid, stack);
        std::vector<double> filledK(k.size());
        for (std::size_t c = 0; c < k.size(); ++c) {
            filledK[c] = stack
                             .Layers[static_cast<std::size_t>(
                                 grid.LayerOfRow[c % static_cast<std::size_t>(grid.Nz())])]
                             .A;
        }
        Eigen::VectorXd residual = Eigen::VectorXd::Random(static_cast<Eigen::Index>(k.size()));
        for (std::size_t c = 0; c < k.size(); ++c) {
            if (!(k[c] > 0.0)) residual[static_cast<Eigen::Index>(c)] = 0.0;
        }
        const auto solve = [&residual](const exact::Grid& on, const std::vector<double>& with) {
            exact::SeparablePreconditioner direct;
            direct.Build(on);
            direct.SetConductivity(on, with);
            Eigen::VectorXd correction(residual.size());
            direct.Apply(residual, correction);
            return correction;
        };
        const Eigen::VectorXd narrow = solve(grid, k);
        const Eigen::VectorXd wide = solve(filled, filledK);
        const double largest = wide.cwiseAbs().maxCoeff();
        for (std::size_t c = 0; c < k.size(); ++c) {
            const auto at = static_cast<Eigen::Index>(c);
            if (k[c] > 0.0) {
                QVERIFY2(
                    std::fabs(narrow[at] - wide[at]) <= 1e-12 * largest,
                    qPrintable(
                        QString("cell %1: %2 against %3").arg(c).arg(narrow[at]).arg(wide[at])));
            } else {
                QCOMPARE(narrow[at], 0.0);
            }
        }
    }

    // A narrow layer that conducts far better than what lies beside it spreads heat over the
    // whole filled grid, which the real one cannot: the filled solve stalls or creeps there,
    // and the conductivity iterations must go on with the multigrid to the grid's own solution.
    void slowFilledSolveGivesWayToTheMultigrid_data() {
        QTest::addColumn<Laws>("laws");
        QTest::addColumn<Layers>("layers");
        QTest::addColumn<float>("deviceMm");
        QTest::newRow("diamond die on epoxy, stalling")
            << Laws{{20.0f, 0.0f}, {0.003f, 0.0f}} << Layers{{0.3f, 2, 2, 1}, {1.0f, 20, 20, 2}}
            << 1.0f;
        QTest::newRow("diamond spreaders on silicon, creeping")
            << Laws{{20.0f, 0.0f}, {3268.703f, -1.35f}, {0.5f, 0.0f}}
            << Layers{{2.0f, 6.2f, 5.75f, 1},
                      {2.05f, 11.2f, 10.6f, 1},
                      {2.8f, 15.9f, 14.1f, 2},
                      {0.57f, 36.4f, 42.8f, 3}}
            << 4.2f;
    }

    void slowFilledSolveGivesWayToTheMultigrid() {
        QFETCH(Laws, laws);
        QFETCH(Layers, layers);
        QFETCH(float, deviceMm);
        const exact::Stack stack = StackOf(laws, layers, deviceMm, 5.0f, 0.0);
        exact::ExactOptions options;
        // The check's coarse grid, where it first tries the filled solve.
        const exact::Grid grid =
            exact::HalvedGrid(exact::HalvedGrid(exact::BuildGrid(stack, options)));
        QVERIFY(!exact::IsSeparable(grid));
        const exact::GridSolution solved = exact::SolveConduction(grid, stack, options, {}, {});
        QCOMPARE(solved.Status, exact::SolveStatus::Converged);
        QVERIFY(solved.FilledGridTooSlow);

        const std::vector<double> reference =
            MultigridRise(grid, solved.Conductivity, exact::SourceHeat(grid, stack.Power));
        double largest = 0.0, difference = 0.0;
        for (std::size_t c = 0; c < reference.size(); ++c) {
            largest = std::max(largest, reference[c]);
            difference = std::max(difference, std::fabs(solved.RiseK[c] - reference[c]));
        }
        // The check's own solver tolerance leaves about this much.
        QVERIFY2(difference < 1e-4 * largest, qPrintable(QString::number(difference / largest)));
    }

    // The direct solve takes the place of the multigrid's cycles, so it must answer a cancel
    // as promptly: at the start and on the fine grid.
    void cancelStopsTheDirectSolve_data() {
        QTest::addColumn<QString>("stage");
        QTest::newRow("before it starts") << QString();
        QTest::newRow("on the fine grid") << QStringLiteral("Solving on the fine grid");
    }

    void cancelStopsTheDirectSolve() {
        QFETCH(QString, stage);
        const exact_stacks::Case c = exact_stacks::FilmOnInsulatorCase();
        CancelAtStage cancel(stage);
        const exact::ExactResult result =
            exact::RunExactCheck(c.Model, c.Table, {}, cancel.Hooks());
        QCOMPARE(result.Status, exact::ExactStatus::Cancelled);
        QVERIFY(result.LayerTopTempC.empty());
    }
};

QTEST_GUILESS_MAIN(TestExactSeparable)
#include "test_exact_separable.moc"
