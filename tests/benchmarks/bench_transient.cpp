#include <benchmark/benchmark.h>

#include <map>
#include <optional>

#include "exact/transient_check.h"
#include "support/exact_stacks.h"

namespace {

using namespace strativex;

// Goals on the project's 2-core machine: the whole Zth curve (1 us until settled) of the
// three-layer power die under 0.3 s and of the ten-layer transistor stack under 3 s, each
// within 300 MB (measure the process with /usr/bin/time -v, one benchmark at a time). Wall
// time, as in bench_exact: the steps' multigrid cycles run on both cores.
void RunTransient(benchmark::State& state, const exact_stacks::Case& c,
                  const std::map<int, double>& heatCapacity) {
    const exact::HeatCapacityLookup lookup = [&](int id) -> std::optional<double> {
        return heatCapacity.at(id);
    };
    exact::TransientResult result;
    for (auto _ : state) {
        result = exact::RunTransient(c.Model, c.Table, lookup);
        benchmark::DoNotOptimize(result.ZthAverage.data());
    }
    if (result.Status != exact::TransientStatus::Ok) state.SkipWithError(result.Message.c_str());
    state.counters["cells"] = static_cast<double>(result.Cells);
    state.counters["points"] = static_cast<double>(result.TimeS.size());
    state.counters["end_s"] = result.TimeS.empty() ? 0.0 : result.TimeS.back();
    state.counters["steps"] = result.Steps;
    state.counters["cg_iterations"] = result.SolverIterations;
    state.counters["error_pct"] = result.ErrorPercent;
}

// Volumetric heat capacities, J/m3-K, of the stacks' materials.
void BM_TransientThreeLayers(benchmark::State& state) {
    RunTransient(state, exact_stacks::ThreeLayerCase(), {{1, 1.63e6}, {2, 1.67e6}, {3, 3.45e6}});
}
BENCHMARK(BM_TransientThreeLayers)->Unit(benchmark::kMillisecond)->UseRealTime();

// GaAs, solder, copper, aluminium nitride, epoxy film.
void BM_TransientTenLayers(benchmark::State& state) {
    RunTransient(state, exact_stacks::TenLayerCase(),
                 {{1, 1.76e6}, {2, 1.67e6}, {3, 3.45e6}, {4, 2.44e6}, {5, 1.2e6}});
}
BENCHMARK(BM_TransientTenLayers)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
