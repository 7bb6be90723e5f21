#include <QtTest>

#include <Eigen/SparseCore>
#include <atomic>
#include <chrono>
#include <cmath>
#include <stdexcept>
#include <thread>
#include <vector>

#include "exact/conductances.h"
#include "exact/conduction_solve.h"
#include "exact/core_pair.h"
#include "exact/grid.h"
#include "exact/grid_solve.h"
#include "exact/line_multigrid.h"
#include "exact/linear_system.h"
#include "exact/separable_preconditioner.h"
#include "exact/stack.h"
#include "support/exact_stacks.h"

using namespace strativex;

namespace {

struct Solved {
    std::vector<double> Rise;
    int Iterations = 0;
};

template <typename Preconditioner>
Solved SolveWith(const Preconditioner& preconditioner, const exact::Conductances& g,
                 const std::vector<double>& heat) {
    Solved solved{std::vector<double>(heat.size(), 0.0), 0};
    exact::GridSolveWorkspace workspace;
    solved.Iterations =
        exact::SolveOnGrid(g, preconditioner, heat, 1e-10, 2000, solved.Rise, workspace).Iterations;
    return solved;
}

// On `threads`, by the multigrid or by the direct solve of the grid filled row by row.
Solved SolveOn(const exact::Grid& grid, const std::vector<double>& conductivity, bool filled,
               const std::vector<double>& heat, int threads) {
    const exact::Conductances g = exact::AssembleConductances(grid, conductivity);
    if (filled) {
        exact::SeparablePreconditioner direct;
        direct.Build(grid);
        direct.SetConductivity(grid, conductivity);
        direct.SetThreads(threads);
        return SolveWith(direct, g, heat);
    }
    exact::LineMultigrid multigrid;
    multigrid.Build(g);
    multigrid.SetThreads(threads);
    return SolveWith(multigrid, g, heat);
}

// Counts how often each index of [0, count) was visited by a loop shared on `threads`.
std::vector<int> Visits(exact::CorePair& cores, std::size_t count) {
    std::vector<std::atomic<int>> visits(count);
    cores.Run(0, count, [&](std::size_t first, std::size_t last) {
        for (std::size_t n = first; n < last; ++n) ++visits[n];
    });
    std::vector<int> counts;
    for (const std::atomic<int>& visit : visits) counts.push_back(visit.load());
    return counts;
}

}  // namespace

class TestExactThreads : public QObject {
    Q_OBJECT

private slots:
    // A shared loop that skipped or repeated an index would leave cells unrelaxed or relaxed
    // twice: a wrong temperature, or one that depends on the machine.
    void sharedLoopVisitsEveryIndexOnce_data() {
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("count");
        for (const int threads : {1, 2}) {
            for (const int count : {0, 1, 2, 3, 17, 64, 1001}) {
                QTest::addRow("%d threads, %d indices", threads, count) << threads << count;
            }
        }
    }

    void sharedLoopVisitsEveryIndexOnce() {
        QFETCH(int, threads);
        QFETCH(int, count);
        exact::CorePair cores(threads);
        // Twice: the second loop goes to a worker that already ran one.
        for (int round = 0; round < 2; ++round) {
            QCOMPARE(Visits(cores, static_cast<std::size_t>(count)),
                     std::vector<int>(static_cast<std::size_t>(count), 1));
        }
    }

    // Whichever thread a piece throws on, the loop ends with that exception on the caller's
    // thread, and only once no piece is running any more: the pieces work on the caller's
    // data, which unwinding frees. The pair then runs its next loop whole.
    void exceptionReachesCallerAfterBothThreadsStop_data() {
        QTest::addColumn<bool>("onWorker");
        QTest::newRow("thrown on the worker") << true;
        QTest::newRow("thrown on the caller while the worker is busy") << false;
    }

    void exceptionReachesCallerAfterBothThreadsStop() {
        QFETCH(bool, onWorker);
        exact::CorePair cores(2);
        const std::thread::id caller = std::this_thread::get_id();
        std::atomic<bool> workerCame{false};
        std::atomic<int> running{0};
        const auto part = [&](std::size_t, std::size_t) {
            ++running;
            const bool mine = std::this_thread::get_id() == caller;
            if (!mine) workerCame = true;
            // The caller holds its first piece until the worker has one, so that both run.
            while (mine && !workerCame) std::this_thread::yield();
            if (!mine && !onWorker) std::this_thread::sleep_for(std::chrono::milliseconds(20));
            --running;
            if (mine != onWorker) throw std::runtime_error("piece failed");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, cores.Run(0, 64, part));
        QVERIFY(workerCame);
        QCOMPARE(running.load(), 0);
        QCOMPARE(Visits(cores, 100), std::vector<int>(100, 1));
    }

    // A copy has a worker of its own; a pair whose worker has gone to sleep wakes it for the
    // next loop and still ends it when destroyed (the test's time limit catches a hang).
    void copiesAndSleepingWorkersKeepWorking() {
        exact::CorePair cores(2);
        QCOMPARE(Visits(cores, 50), std::vector<int>(50, 1));
        exact::CorePair copy = cores;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        QCOMPARE(Visits(copy, 50), std::vector<int>(50, 1));
        QCOMPARE(Visits(cores, 50), std::vector<int>(50, 1));
        copy = exact::CorePair(1);
        QCOMPARE(copy.Threads(), 1);
        QCOMPARE(Visits(copy, 50), std::vector<int>(50, 1));
    }

    // The 3-D check's solve with the multigrid shared between two cores gives the temperatures
    // of one core to the last bit, in as many iterations: the cells of one sweep never depend
    // on each other, and every sum keeps its order. Conductivities vary from cell to cell (K(T)
    // at an uneven rise), and the answer must solve the system, not merely agree with itself.
    // The direct solve's transforms are shared in fixed blocks of rows and modes, as the
    // multigrid's sweeps are by planes.
    void twoCoresSolveAsOneToTheLastBit_data() {
        QTest::addColumn<int>("sourcesX");
        QTest::addColumn<int>("sourcesY");
        QTest::addColumn<bool>("filled");
        QTest::newRow("ten layers, one source") << 1 << 1 << false;
        QTest::newRow("ten layers, 2 x 2 sources") << 2 << 2 << false;
        QTest::newRow("three layers, the grid filled") << 1 << 1 << true;
    }

    void twoCoresSolveAsOneToTheLastBit() {
        QFETCH(int, sourcesX);
        QFETCH(int, sourcesY);
        QFETCH(bool, filled);
        const exact_stacks::Case c =
            filled ? exact_stacks::ThreeLayerCase() : exact_stacks::TenLayerCase();
        exact::ExactOptions options;
        options.Sources = {sourcesX, sourcesY, 1.5, 1.0};
        const exact::Stack stack = exact::StackOf(c.Model, c.Table);
        const exact::Grid grid = exact::BuildGrid(stack, options);
        std::vector<double> rise(grid.CellCount());
        for (std::size_t n = 0; n < rise.size(); ++n) rise[n] = 60.0 * (1.0 + std::sin(0.11 * n));
        const std::vector<double> conductivity = exact::CellConductivity(grid, stack, rise);
        const exact::Conductances g = exact::AssembleConductances(grid, conductivity);
        const std::vector<double> heat = exact::SourceHeat(grid, stack.Power);

        const Solved one = SolveOn(grid, conductivity, filled, heat, 1);
        const Solved two = SolveOn(grid, conductivity, filled, heat, 2);
        QVERIFY(grid.CellCount() > 4 * exact::CorePair::kLeastSharedCells);
        QCOMPARE(two.Iterations, one.Iterations);
        QVERIFY(two.Rise == one.Rise);
        const exact::LinearSystem system = exact::AssembleSystem(g);
        const Eigen::VectorXd b = exact::Gather(system, heat);
        QVERIFY((system.Matrix * exact::Gather(system, two.Rise) - b).norm() < 1e-9 * b.norm());
    }
};

QTEST_GUILESS_MAIN(TestExactThreads)
#include "test_exact_threads.moc"
