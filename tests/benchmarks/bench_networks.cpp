#include <benchmark/benchmark.h>

#include "exact/cauer_network.h"
#include "exact/foster_fit.h"
#include "exact/structure_function.h"
#include "support/rc_oracles.h"

// The compact models of a Zth curve sampled 10 times a decade over 8 decades: the target is
// under 50 ms for the fit and the structure function together.
namespace {

using namespace strativex::exact;

ZthCurve SlabCurve() {
    const rc_oracles::Slab slab;
    return rc_oracles::Sampled(rc_oracles::LogTimes(1e-6, 8, 10),
                               [&](double t) { return slab.Zth(t); });
}

void BM_NetworkFitAndStructureFunction(benchmark::State& state) {
    const ZthCurve curve = SlabCurve();
    const int stages = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const FosterFit fit =
            FitFoster(curve, stages > 0 ? std::optional<int>(stages) : std::nullopt);
        const StructureFunction function =
            ComputeStructureFunction(CauerFromFoster(fit.Network).Network);
        benchmark::DoNotOptimize(function.CumulativeC.data());
    }
}
// 0: the default, the fewest stages under 1 % of Zth(∞).
BENCHMARK(BM_NetworkFitAndStructureFunction)
    ->Arg(0)
    ->Arg(6)
    ->Arg(12)
    ->Unit(benchmark::kMillisecond);

}  // namespace
