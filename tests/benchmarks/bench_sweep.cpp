#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

#include "analysis/sweep_plot_view.h"
#include "analysis/sweep_window.h"
#include "core/sweep.h"
#include "core/thermal_calc.h"
#include "support/scripted_desktop.h"
#include "support/sweep_fixtures.h"
#include "views/plot/plot_painter.h"

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
    return {QuantityId::Power, 0, 1.0, 200.0, kPoints, SweepSpacing::Linear, {}};
}

SweepRequest ThicknessSweep() {
    return {QuantityId::Thickness, 5, 0.05, 2.0, kPoints, SweepSpacing::Linear, {}};
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
            QuantityOf(request.Quantity).Write(model, layer, value);
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

// The same in the window: its plot widget painted at its own size, after a sweep set up and
// calculated through the window's controls.
void BM_WindowPlotRedraw(benchmark::State& state) {
    AppState app;
    app.model = TenLayerModel();
    app.materials = SweepMaterials();
    ScriptedDesktop desktop;
    SweepWindow window(app, desktop, [] { return true; });
    window.findChild<QLineEdit*>("TextFrom")->setText("1");
    window.findChild<QLineEdit*>("TextTo")->setText("200");
    window.findChild<QSpinBox*>("SpinSteps")->setValue(kPoints);
    window.findChild<QCheckBox*>("CheckLayerTemps")->setChecked(true);
    window.findChild<QPushButton*>("CmdCalculate")->click();
    auto* plot = window.findChild<SweepPlotView*>("PlotSweep");
    plot->resize(900, 600);
    QImage image(plot->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        plot->render(&image);
        benchmark::DoNotOptimize(plot->Geometry().PointX.size());
    }
    if (plot->Geometry().PointX.size() != kPoints) state.SkipWithError("the sweep did not run");
}
BENCHMARK(BM_WindowPlotRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
