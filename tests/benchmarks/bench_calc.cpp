#include <benchmark/benchmark.h>

#include <cmath>

#include "core/thermal_calc.h"

namespace {

using namespace strativex;

struct Stack {
    Model model;
    MaterialTable table;
};

// Ten layers of a silicon-like material whose conductivity falls with temperature.
Stack TemperatureDependentStack() {
    Stack stack;
    stack.table.Materials[1] = {"Si", 1, 3268.703f, -1.35f};
    stack.table.FirstCustomIndex = 2;
    ResetToNewModel(stack.model, ModelDefaults{});
    stack.model.UnitSystem = LengthUnit::Millimeters;
    stack.model.Layers[0].Width = 5.0f;
    stack.model.Layers[0].Length = 5.0f;
    stack.model.PowerDissipation = 50.0f;
    for (int i = 1; i <= kMaxLayerCount; ++i) {
        Layer& layer = stack.model.Layers[i];
        layer.MaterialId = 1;
        layer.Thickness = 0.5f;
        layer.SpreadAngle = 30.0f;
    }
    stack.model.LayerCount = kMaxLayerCount;
    return stack;
}

int TotalPasses(Stack stack) {
    RecalculateModel(stack.model, stack.table);
    int passes = 0;
    for (int i = 1; i <= stack.model.LayerCount; ++i) passes += stack.model.Layers[i].Passes;
    return passes;
}

void BM_RecalculateModel(benchmark::State& state) {
    Stack stack = TemperatureDependentStack();
    state.counters["pow_calls"] = TotalPasses(stack);
    for (auto _ : state) {
        RecalculateModel(stack.model, stack.table);
        benchmark::DoNotOptimize(stack.model.Layers[1].TopTemp);
    }
}
BENCHMARK(BM_RecalculateModel);

// The floor the calculation is measured against: as many pow calls as it makes, each taking
// the previous result as the calculation's passes do, and the same calls independent of each
// other, which the processor overlaps.
void BM_ChainedPow(benchmark::State& state) {
    const int calls = TotalPasses(TemperatureDependentStack());
    state.counters["pow_calls"] = calls;
    for (auto _ : state) {
        double conductivity = 1.0;
        for (int i = 0; i < calls; ++i) {
            conductivity = std::pow(300.0 + conductivity, -1.35) * 3268.703;
        }
        benchmark::DoNotOptimize(conductivity);
    }
}
BENCHMARK(BM_ChainedPow);

void BM_IndependentPow(benchmark::State& state) {
    const int calls = TotalPasses(TemperatureDependentStack());
    state.counters["pow_calls"] = calls;
    double temperature = 300.0;
    for (auto _ : state) {
        for (int i = 0; i < calls; ++i) {
            benchmark::DoNotOptimize(temperature);
            benchmark::DoNotOptimize(std::pow(temperature + i, -1.35) * 3268.703);
        }
    }
}
BENCHMARK(BM_IndependentPow);

// The arithmetic every pass of the calculation needs for its results, and nothing else: the
// float trial temperature, K rounded to float, the exact product K * area, the division and
// the float rise, passes grouped per layer as the stack's are. What the calculation takes
// beyond this is its own overhead; what this takes beyond the chained pow calls is the price
// of the results' single-precision rounding and cannot be removed without changing them.
void BM_PassArithmetic(benchmark::State& state) {
    const Stack stack = TemperatureDependentStack();
    const int calls = TotalPasses(stack);
    const int passesPerLayer = calls / stack.model.LayerCount;
    state.counters["pow_calls"] = calls;
    const Material& silicon = stack.table.Materials[1];
    float thickness = 0.05f;
    float meanArea = 0.3f;
    float power = stack.model.PowerDissipation;
    for (auto _ : state) {
        benchmark::DoNotOptimize(thickness);
        benchmark::DoNotOptimize(meanArea);
        benchmark::DoNotOptimize(power);
        float base = 298.16f;
        float rise = 0.0f;
        for (int i = 1; i <= calls; ++i) {
            const float trial = rise + base;
            const auto k = static_cast<float>(
                std::pow(static_cast<double>(trial), static_cast<double>(silicon.B)) * silicon.A);
            const auto resistance = static_cast<float>(static_cast<double>(thickness) /
                                                       (static_cast<double>(k) * meanArea));
            rise = power * resistance;
            if (i % passesPerLayer == 0) {
                base += rise;
                rise = 0.0f;
            }
        }
        benchmark::DoNotOptimize(rise);
    }
}
BENCHMARK(BM_PassArithmetic);

}  // namespace
