#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "core/thermal_calc.h"
#include "dialogs/state_inputs.h"
#include "persistence/app_state.h"
#include "persistence/safe_write.h"
#include "views/report/report_pdf.h"
#include "views/stack/data_table.h"
#include "views/stack/layer_strip.h"
#include "views/stack/scale_view.h"

namespace {

using namespace strativex;

// The pictures of the main window at its default size of 11000 x 7500 twips.
constexpr QSize kScaleView(329, 117);
constexpr QSize kDataTable(372, 372);
constexpr QSize kLayerStrip(120, 247);

// Ten named layers of a material whose conductivity falls with temperature.
AppState TenLayerState() {
    AppState state;
    state.materials.Materials[0] = NoneSelectedMaterial();
    state.materials.Materials[1] = {"Silicon, doped", 1, 3268.703f, -1.35f};
    state.materials.FirstCustomIndex = 2;
    Model& model = state.model;
    model.ModelName = "Ten-layer benchmark";
    model.ModelComments = std::string(40, 'w') + " comments that wrap over a few lines.";
    model.UnitSystem = LengthUnit::Millimeters;
    model.Layers[0].Width = 5.0f;
    model.Layers[0].Length = 5.0f;
    model.PowerDissipation = 50.0f;
    for (int i = 1; i <= kMaxLayerCount; ++i) {
        Layer& layer = model.Layers[i];
        layer.MaterialId = 1;
        layer.ColorIndex = static_cast<std::int16_t>(i - 1);
        layer.Thickness = 0.5f;
        layer.SpreadAngle = 30.0f;
        layer.Width = i > 5 ? 0.0f : 10.0f + i;
        layer.Length = layer.Width;
    }
    model.LayerCount = kMaxLayerCount;
    state.prefs.UserInfoInclude.fill(true);
    state.prefs.UserInfoText[0] = "Benchmark";
    return state;
}

QImage Picture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

template <typename Draw>
void Redraw(QImage& image, double unitsPerPixel, Draw draw) {
    QPainter painter(&image);
    DrawingSurface surface(painter, QRectF(image.rect()), QSizeF(image.size()) * unitsPerPixel,
                           SurfaceKind::Picture);
    draw(surface);
}

// A thickness committed in the main window: recalculation, then the strip, the table and the
// scale view redrawn.
void BM_ThicknessEditAtTenLayers(benchmark::State& bench) {
    AppState state = TenLayerState();
    const ViewInputs inputs = ViewInputsOf(state, StandardLayerPalette());
    QImage scale = Picture(kScaleView);
    QImage table = Picture(kDataTable);
    QImage strip = Picture(kLayerStrip);
    bool thick = false;
    for (auto _ : bench) {
        thick = !thick;
        state.model.Layers[4].Thickness = thick ? 0.75f : 0.5f;
        RecalculateModel(state.model, state.materials);
        Redraw(strip, 1, [&](DrawingSurface& s) { DrawLayerStrip(s, inputs); });
        Redraw(table, 15, [&](DrawingSurface& s) { DrawDataTable(s, false, inputs); });
        Redraw(scale, 1, [&](DrawingSurface& s) { DrawScaleView(s, false, inputs); });
        benchmark::DoNotOptimize(table.constBits());
    }
}
BENCHMARK(BM_ThicknessEditAtTenLayers)->Unit(benchmark::kMillisecond);

void BM_ExportReportPdf(benchmark::State& bench) {
    AppState state = TenLayerState();
    RecalculateModel(state.model, state.materials);
    const ReportInputs inputs = ReportInputsOf(state, StandardLayerPalette());
    QTemporaryDir dir;
    const std::string path = dir.filePath(QStringLiteral("report.pdf")).toStdString();
    for (auto _ : bench) {
        const QByteArray pdf = ReportPdf(inputs);
        if (!SafeWriteFile(path, std::string_view(pdf.constData(), pdf.size())).Ok) {
            bench.SkipWithError("the export failed");
        }
    }
}
BENCHMARK(BM_ExportReportPdf)->Unit(benchmark::kMillisecond);

}  // namespace
