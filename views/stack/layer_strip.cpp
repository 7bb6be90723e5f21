#include "views/stack/layer_strip.h"

#include "views/surface/view_fonts.h"

namespace strativex {
namespace {

const QColor kGrey(128, 128, 128);

// An oblique box: front left corner x0, front width a, depth d (drawn d to the right and d
// up) and thickness k.
struct SlabShape {
    int x0;
    int a;
    int d;
    int k;
};

SlabShape ShapeOf(int j) {
    if (j == kIsothermalBase) return {-40, 150, 60, 0};
    if (j == 0) return {25, 50, 15, 0};
    return {15, 65, 25, 6};
}

QColor FillOf(const ViewInputs& inputs, int j) {
    if (j == kIsothermalBase) return QColor(0, 0, 128);
    if (j == 0) return QColor(255, 0, 0);
    return PaletteColor(inputs.palette,
                        inputs.model.Layers[static_cast<std::size_t>(j)].ColorIndex);
}

void DrawFaces(DrawingSurface& surface, const SlabShape& s, int y) {
    for (int m = 0; m <= s.k; ++m) surface.Line(s.x0 + s.a, y + m, s.d, -s.d);
    surface.SetCurrent(s.x0, y + 1);
    surface.FilledBoxTo(s.x0 + s.a - 1, y + 1 + s.k);
}

void DrawEdges(DrawingSurface& surface, const SlabShape& s, int y, const QColor& fill) {
    surface.SetForeColor(fill == kGrey ? QColor(Qt::black) : kGrey);
    surface.Line(s.x0 + 1, y, s.a - 2, 0);
    surface.LineTo(s.x0 + s.a - 1 + s.d, y - s.d);
    surface.Line(s.x0 + s.a - 1, y, 0, s.k + 1);
}

void DrawNumber(DrawingSurface& surface, int j, int y, int layerCount, const QColor& fill) {
    surface.SetForeColor(fill == QColor(Qt::black) ? kGrey : QColor(Qt::black));
    surface.SetFontSize(8);
    surface.SetCurrent(48 - layerCount, y - (17 - layerCount / 2.0));
    // A number prints with a blank in front where a minus sign would stand.
    surface.Print(QStringLiteral(" %1").arg(j));
}

}  // namespace

void DrawSingleLayer(DrawingSurface& surface, const ViewInputs& inputs, int j, int y) {
    const SlabShape s = ShapeOf(j);
    const QColor fill = FillOf(inputs, j);
    surface.SetForeColor(fill);
    for (int m = 0; m <= s.d; ++m) surface.Line(s.x0 + m, y - m, s.a, 0);
    if (j <= 0) return;
    DrawFaces(surface, s, y);
    DrawEdges(surface, s, y, fill);
    DrawNumber(surface, j, y, StackLayerCount(inputs.model.LayerCount), fill);
}

std::optional<LayerStripGeometry> DrawLayerStrip(DrawingSurface& surface,
                                                 const ViewInputs& inputs) {
    surface.Cls();
    const LayerStripGeometry g = ComputeLayerStrip(inputs.model);
    const int n = g.LayerCount;
    surface.SetFontName(kSansFontName);
    surface.SetFontBold(false);
    surface.SetFontTransparent(true);
    DrawSingleLayer(surface, inputs, kIsothermalBase, 245);
    surface.SetForeColor(Qt::white);
    surface.SetFontSize(10);
    surface.SetCurrent(20 - n / 2.0, 208 + n / 2.0);
    surface.Print(QStringLiteral("Isothermal"));
    surface.SetCurrent(32 - n / 2.0, 220 + n / 2.0);
    surface.Print(QStringLiteral("Layer"));
    for (int i = n; i >= 0; --i) DrawSingleLayer(surface, inputs, i, g.RowY[i]);
    surface.SetForeColor(Qt::black);
    surface.SetFontSize(8);
    surface.SetCurrent(25, g.TopRow - 27);
    surface.Print(QStringLiteral("Heat Source"));
    return g;
}

}  // namespace strativex
