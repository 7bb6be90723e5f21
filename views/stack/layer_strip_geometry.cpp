#include "views/stack/layer_strip_geometry.h"

#include "views/surface/integer16.h"
#include "views/surface/twips.h"

namespace strativex {
namespace {

constexpr int kHeatSourcePointerTwips = 12;

}  // namespace

LayerStripGeometry ComputeLayerStrip(const Model& model) {
    LayerStripGeometry g;
    const int n = StackLayerCount(model.LayerCount);
    g.LayerCount = n;
    g.RowHeight = RoundToInt16(190.0 / (n + 1));
    g.TopRow = 47 - 2 * n;
    for (int i = 0; i <= n; ++i) {
        const int y = g.RowHeight * i + g.TopRow;
        g.RowY[i] = y;
        g.OptLayerTop[i] = kTwipsPerPixel * y;
        g.StripBottomY[i] = RoundToInt16(y + 10);
    }
    return g;
}

std::optional<int> LayerPointerTop(const LayerStripGeometry& strip, int currentLayer) {
    if (currentLayer == 0) return kHeatSourcePointerTwips * strip.TopRow;
    if (currentLayer > 0 && currentLayer <= strip.LayerCount)
        return strip.OptLayerTop[currentLayer];
    return std::nullopt;
}

std::optional<int> LayerStripRecordAt(const ClickLimits& stripBottomY, int layerCount, int x,
                                      int y) {
    if (x < 25 || x > 185) return std::nullopt;
    // The slabs' right-hand faces slant upwards.
    if (x > 150) y += x - 150;
    const int n = StackLayerCount(layerCount);
    for (int i = 0; i <= n; ++i) {
        if (y < stripBottomY[i]) return i;
    }
    return std::nullopt;
}

}  // namespace strativex
