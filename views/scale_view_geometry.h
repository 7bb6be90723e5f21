#pragma once

#include <array>
#include <optional>

#include "core/model.h"
#include "views/click_limits.h"
#include "views/view_layout.h"

namespace strativex {

// What a click on the screen's scale view is tested against: half the drawn width and the
// bottom of every drawn record.
struct ScaleClickLimits {
    ClickLimits ScaleHalfWidth{};
    ClickLimits ScaleBottomY{};
};

// One side of the heat-spreading outline over a layer.
struct ConeEdge {
    int H0 = 0;            // half width of the footprint entering the layer, cut to the slab
    int Growth = 0;        // sideways run of the slanted part
    int Height = 0;        // downward run of the slanted part
    bool Clipped = false;  // the slanted part meets the slab's side and continues down it
};

struct ScaleViewGeometry {
    int VW = 0;
    int VH = 0;
    int X0 = 0;
    int Y0 = 0;
    int CX = 0;
    int LayerCount = 0;  // the model's, held to 0..10
    // False without layers, and for a stack without positive thickness or width: the view
    // then stays empty.
    bool HasSlabs = false;
    float SX = 0.0f;
    float SY = 0.0f;
    int MinH = 0;
    std::array<int, kRecordCount> PW{};         // records 0..LayerCount + 1
    std::array<int, kRecordCount + 1> Top{};    // records 0..LayerCount + 2
    std::array<ConeEdge, kRecordCount> Cone{};  // layers 1..LayerCount
    ScaleClickLimits ClickLimits;
};

ScaleViewGeometry ComputeScaleView(const Model& model, double scaleWidth, double scaleHeight,
                                   ViewLayout layout);

// Left edge of record i's slab; kept in double precision as the drawing uses it.
double SlabLeft(const ScaleViewGeometry& geometry, int record);

// The record a click at (x, y) in the screen's scale view selects, if any.
std::optional<int> ScaleViewRecordAt(const ScaleClickLimits& limits, int layerCount,
                                     double pictureWidth, int x, int y);

}  // namespace strativex
