#include "views/stack/scale_view.h"

namespace strativex {
namespace {

const QColor kHeatSourceColor(255, 0, 0);
const QColor kIsothermalColor(0, 0, 128);
const QColor kGrey(128, 128, 128);

QColor SlabColor(const ViewInputs& inputs, int layerCount, int record) {
    if (record == 0) return kHeatSourceColor;
    if (record > layerCount) return kIsothermalColor;
    return PaletteColor(inputs.palette, inputs.model.Layers[record].ColorIndex);
}

void DrawSlabs(DrawingSurface& surface, const ScaleViewGeometry& g, const ViewInputs& inputs) {
    for (int i = 0; i <= g.LayerCount + 1; ++i) {
        surface.SetCurrent(SlabLeft(g, i), g.Top[i]);
        surface.SetForeColor(SlabColor(inputs, g.LayerCount, i));
        surface.FilledBoxTo(surface.CurrentX() + g.SlabWidth[i], g.Top[i + 1] - 1);
    }
}

void DrawConeSide(DrawingSurface& surface, const ConeEdge& edge, double startX, int side, int top,
                  int bottom) {
    surface.Line(startX, top, side * edge.Growth, edge.Height);
    if (edge.Clipped) surface.LineTo(surface.CurrentX(), bottom);
}

void DrawCones(DrawingSurface& surface, const ScaleViewGeometry& g, const ViewInputs& inputs) {
    for (int i = 1; i <= g.LayerCount; ++i) {
        // An outline on a black slab would vanish.
        const QColor fill = SlabColor(inputs, g.LayerCount, i);
        surface.SetForeColor(fill == QColor(Qt::black) ? kGrey : QColor(Qt::black));
        const ConeEdge& edge = g.Cone[i];
        DrawConeSide(surface, edge, g.CentreX + edge.EntryHalfWidth, 1, g.Top[i], g.Top[i + 1]);
        DrawConeSide(surface, edge, g.CentreX - edge.EntryHalfWidth, -1, g.Top[i], g.Top[i + 1]);
    }
}

}  // namespace

std::optional<ScaleClickLimits> DrawScaleView(DrawingSurface& surface, bool previewMode,
                                              const ViewInputs& inputs) {
    const ViewLayout layout = LayoutFor(surface, previewMode);
    const ScaleViewGeometry g =
        ComputeScaleView(inputs.model, surface.ScaleWidth(), surface.ScaleHeight(), layout);
    if (layout == ViewLayout::Screen) surface.Cls();
    if (g.HasSlabs) {
        DrawSlabs(surface, g, inputs);
        surface.SetDrawWidth(surface.IsPrinter() ? 5 : 2);
        DrawCones(surface, g, inputs);
        surface.SetDrawWidth(1);
        if (layout == ViewLayout::Page)
            surface.BoxOutline(g.OriginX, g.OriginY, g.ViewWidth, g.ViewHeight);
    }
    if (layout == ViewLayout::Screen) return g.ClickLimits;
    return std::nullopt;
}

}  // namespace strativex
