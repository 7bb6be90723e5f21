#include <benchmark/benchmark.h>

#include <numeric>
#include <vector>

#include "exact/conductances.h"
#include "exact/conduction_solve.h"
#include "exact/core_pair.h"
#include "exact/grid.h"
#include "exact/line_multigrid.h"
#include "exact/stack.h"
#include "support/exact_stacks.h"

namespace {

using namespace strativex;

// One application of the multigrid preconditioner (one V-cycle) on the fine grid of the 3-D
// check, on one core and shared between two: the sweeps stream memory, and what two cores
// gain over one is what the check gains in its linear solves. Wall time; run it on an
// otherwise idle machine, the two thread counts side by side.
void RunCycle(benchmark::State& state, const exact_stacks::Case& c) {
    const exact::Stack stack = exact::StackOf(c.Model, c.Table);
    const exact::Grid grid = exact::BuildGrid(stack, exact::ExactOptions{});
    const exact::Conductances g = exact::AssembleConductances(
        grid, exact::CellConductivity(grid, stack, std::vector<double>(grid.CellCount(), 0.0)));
    exact::LineMultigrid multigrid;
    multigrid.Build(g);
    multigrid.SetThreads(static_cast<int>(state.range(0)));
    const std::vector<double> heat = exact::SourceHeat(grid, stack.Power);
    const Eigen::VectorXd residual =
        Eigen::Map<const Eigen::VectorXd>(heat.data(), static_cast<Eigen::Index>(heat.size()));
    Eigen::VectorXd correction(residual.size());
    for (auto _ : state) {
        multigrid.Apply(residual, correction);
        benchmark::DoNotOptimize(correction.data());
    }
    state.counters["cells"] = static_cast<double>(grid.CellCount());
}

void BM_CycleThreeLayers(benchmark::State& state) {
    RunCycle(state, exact_stacks::ThreeLayerCase());
}
BENCHMARK(BM_CycleThreeLayers)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_CycleTenLayers(benchmark::State& state) {
    RunCycle(state, exact_stacks::TenLayerCase());
}
BENCHMARK(BM_CycleTenLayers)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The cost of handing a loop to the worker and taking it back, with nothing to do in it: what
// each shared sweep pays on top of its work.
void BM_HandOff(benchmark::State& state) {
    exact::CorePair cores(2);
    std::vector<int> touched(64, 0);
    for (auto _ : state) {
        cores.Run(0, touched.size(), [&](std::size_t first, std::size_t last) {
            for (std::size_t n = first; n < last; ++n) ++touched[n];
        });
    }
    benchmark::DoNotOptimize(std::accumulate(touched.begin(), touched.end(), 0));
}
BENCHMARK(BM_HandOff)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
