#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include "core/sweep.h"
#include "core/thermal_calc.h"
#include "support/sweep_fixtures.h"
#include "views/plot_painter.h"

namespace {

using namespace strativex;
using namespace strativex::testing;

constexpr int kPoints = 1000;

// Ten layers whose conductivity falls with temperature, each spreading and some clipped.
Model TenLayerModel() {
    Model model = DieOnCopper();
    for (int i = 1; i <= kMaxLayerCount; ++i) {
        model.Layers[i] = SweepLayer(kFallingId, 0.2f + 0.05f * i, 30.0f, i > 6 ? 12.0f : 0.0f);
    }
    model.LayerCount = kMaxLayerCount;
    return model;
}

SweepRequest PowerSweep() {
    return {SweepQuantity::Power, 0, 1.0, 200.0, kPoints, SweepSpacing::Linear, {}};
}

SweepRequest ThicknessSweep() {
    return {SweepQuantity::Thickness, 5, 0.05, 2.0, kPoints, SweepSpacing::Linear, {}};
}

void Sweep(benchmark::State& state, const SweepRequest& request) {
    const Model model = TenLayerModel();
    const MaterialTable table = SweepMaterials();
    for (auto _ : state) benchmark::DoNotOptimize(RunSweep(model, table, request));
}

// The floor a sweep is held to: the same thousand models edited and recalculated one by one.
void SingleCalculations(benchmark::State& state, const SweepRequest& request) {
    Model model = TenLayerModel();
    const MaterialTable table = SweepMaterials();
    const int layer = IsLayerQuantity(request.Quantity) ? request.Layer : 0;
    const std::vector<float> values = SweepValues(request);
    for (auto _ : state) {
        for (const float value : values) {
            ApplySweepValue(model, request.Quantity, layer, value);
            RecalculateModel(model, table);
            benchmark::DoNotOptimize(model.Layers[1].TopTemp);
        }
    }
}

void BM_SweepPower(benchmark::State& state) {
    Sweep(state, PowerSweep());
}
BENCHMARK(BM_SweepPower)->Unit(benchmark::kMillisecond);

void BM_SingleCalculationsPower(benchmark::State& state) {
    SingleCalculations(state, PowerSweep());
}
BENCHMARK(BM_SingleCalculationsPower)->Unit(benchmark::kMillisecond);

void BM_SweepThickness(benchmark::State& state) {
    Sweep(state, ThicknessSweep());
}
BENCHMARK(BM_SweepThickness)->Unit(benchmark::kMillisecond);

void BM_SingleCalculationsThickness(benchmark::State& state) {
    SingleCalculations(state, ThicknessSweep());
}
BENCHMARK(BM_SingleCalculationsThickness)->Unit(benchmark::kMillisecond);

// One redraw of the window's plot: laid out anew and drawn, every layer's curve shown.
void BM_PlotRedraw(benchmark::State& state) {
    const SweepResult sweep = *RunSweep(TenLayerModel(), SweepMaterials(), PowerSweep());
    const MaterialTable table = SweepMaterials();
    const SweepPlotInputs inputs{sweep, table, kDefaultDecimalDigits, true,
                                 QStringLiteral("Bench")};
    QImage image(900, 600, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        benchmark::DoNotOptimize(PaintSweepPlot(painter, QRectF(image.rect()), 1.0, inputs));
    }
}
BENCHMARK(BM_PlotRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
