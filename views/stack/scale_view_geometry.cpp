#include "views/stack/scale_view_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/units.h"
#include "views/surface/integer16.h"

namespace strativex {
namespace {

void PlaceView(ScaleViewGeometry& g, double scaleWidth, double scaleHeight, ViewLayout layout) {
    if (layout == ViewLayout::Screen) {
        g.ViewWidth = RoundToInt16(scaleWidth);
        g.ViewHeight = RoundToInt16(scaleHeight);
    } else {
        g.ViewWidth = RoundToInt16(scaleWidth * 0.4);
        g.ViewHeight = RoundToInt16(scaleHeight * 0.41);
        g.OriginX = RoundToInt16(scaleWidth * 0.05);
        g.OriginY = RoundToInt16(scaleHeight * 0.065);
    }
    g.CentreX = RoundToInt16(g.ViewWidth / 2.0 + g.OriginX);
}

void ComputeWidths(ScaleViewGeometry& g, const Model& model, int n, float widest) {
    g.ScaleX = static_cast<float>(g.ViewWidth * 0.85 / widest);
    g.SlabWidth[0] = RoundToInt16(g.ScaleX * model.Layers[0].Width);
    for (int i = 1; i <= n; ++i) {
        const float width = model.Layers[i].Width;
        g.SlabWidth[i] = width == 0.0f ? g.ViewWidth : RoundToInt16(g.ScaleX * width);
    }
    g.SlabWidth[n + 1] = g.ViewWidth;
}

void ComputeTops(ScaleViewGeometry& g, const Model& model, int n, float total) {
    g.ScaleY = static_cast<float>(g.ViewHeight * 0.85 / total);
    g.MinSlabHeight = RoundToInt16(std::max(2.0, g.ViewHeight / 100.0));
    g.Top[0] = RoundToInt16(g.ViewHeight * 0.05 + g.OriginY);
    float depth = 0.0f;
    for (int i = 1; i <= n + 1; ++i) {
        depth += model.Layers[i - 1].Thickness;
        const float scaled = static_cast<float>(g.Top[0]) + g.ScaleY * depth;
        g.Top[i] = std::max(g.Top[i - 1] + g.MinSlabHeight, static_cast<int>(RoundToInt16(scaled)));
    }
    g.Top[n + 2] = g.OriginY + g.ViewHeight;
}

// The footprint's edge over layer i, and the half width it leaves for the next layer.
ConeEdge ConeOver(const ScaleViewGeometry& g, const Model& model, int i, int& footprint) {
    ConeEdge edge;
    double height = g.Top[i + 1] - g.Top[i];
    const double tangent =
        std::tan(static_cast<double>(model.Layers[i].SpreadAngle) * kDegreesToRadians);
    int growth = RoundToInt16(height * tangent * g.ScaleX / g.ScaleY);
    const double halfSlab = g.SlabWidth[i] / 2.0;
    footprint = RoundToInt16(std::min<double>(footprint, halfSlab));
    // A zero growth never clips: the footprint may exceed an odd slab's half width by half a
    // unit through rounding, and the fraction below would divide by zero.
    if (halfSlab < footprint + growth && growth != 0) {
        const double outside = (footprint + growth - halfSlab) / growth;
        growth = RoundToInt16(halfSlab - footprint);
        height = RoundToInt16((1.0 - outside) * height);
        edge.Clipped = true;
    }
    edge.EntryHalfWidth = footprint;
    edge.Growth = growth;
    edge.Height = static_cast<int>(height);
    footprint += growth;
    return edge;
}

void RecordClickLimits(ScaleViewGeometry& g, int n) {
    for (int i = 0; i <= n + 1; ++i) {
        const double farX = SlabLeft(g, i) + g.SlabWidth[i];
        g.ClickLimits.ScaleHalfWidth[i] = RoundToInt16(std::fabs(farX - g.CentreX));
        g.ClickLimits.ScaleBottomY[i] = RoundToInt16(g.Top[i + 1] - 1);
    }
}

}  // namespace

ScaleViewGeometry ComputeScaleView(const Model& model, double scaleWidth, double scaleHeight,
                                   ViewLayout layout) {
    ScaleViewGeometry g;
    PlaceView(g, scaleWidth, scaleHeight, layout);
    const int n = StackLayerCount(model.LayerCount);
    g.LayerCount = n;
    float total = 0.0f;
    float widest = model.Layers[0].Width;
    for (int i = 0; i <= n; ++i) {
        total += model.Layers[i].Thickness;
        widest = std::max(widest, model.Layers[i].Width);
    }
    const auto usable = [](float v) { return std::isfinite(v) && v > 0.0f; };
    g.HasSlabs = n > 0 && usable(total) && usable(widest);
    if (!g.HasSlabs) return g;
    ComputeWidths(g, model, n, widest);
    ComputeTops(g, model, n, total);
    int footprint = RoundToInt16((g.SlabWidth[0] + 1) / 2.0);
    for (int i = 1; i <= n; ++i) g.Cone[i] = ConeOver(g, model, i, footprint);
    RecordClickLimits(g, n);
    return g;
}

double SlabLeft(const ScaleViewGeometry& geometry, int record) {
    return geometry.CentreX - geometry.SlabWidth[record] / 2.0;
}

std::optional<int> ScaleViewRecordAt(const ScaleClickLimits& limits, int layerCount,
                                     double pictureWidth, int x, int y) {
    const int centre = RoundToInt16(pictureWidth / 2.0);
    const int n = StackLayerCount(layerCount);
    for (int i = 0; i <= n; ++i) {
        if (y < limits.ScaleBottomY[i]) {
            if (std::abs(x - centre) < limits.ScaleHalfWidth[i]) return i;
            return std::nullopt;
        }
    }
    return std::nullopt;
}

}  // namespace strativex
