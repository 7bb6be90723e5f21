#pragma once

#include <array>
#include <optional>

#include "core/model.h"
#include "views/stack/click_limits.h"
#include "views/stack/view_layout.h"

namespace strativex {

// What a click on the screen's scale view is tested against: half the drawn width and the
// bottom of every drawn record.
struct ScaleClickLimits {
    ClickLimits ScaleHalfWidth{};
    ClickLimits ScaleBottomY{};
};

// One side of the heat-spreading outline over a layer.
struct ConeEdge {
    int EntryHalfWidth = 0;  // half width of the footprint entering the layer, cut to the slab
    int Growth = 0;          // sideways run of the slanted part
    int Height = 0;          // downward run of the slanted part
    bool Clipped = false;    // the slanted part meets the slab's side and continues down it
};

struct ScaleViewGeometry {
    int ViewWidth = 0;  // the picture's frame, in the surface's units
    int ViewHeight = 0;
    int OriginX = 0;  // its top left corner
    int OriginY = 0;
    int CentreX = 0;     // the axis the slabs are centred on
    int LayerCount = 0;  // the model's, held to 0..10
    // False without layers, and for a stack without positive thickness or width: the view
    // then stays empty.
    bool HasSlabs = false;
    float ScaleX = 0.0f;  // surface units per model length unit, across and down
    float ScaleY = 0.0f;
    int MinSlabHeight = 0;                      // so that a thin layer still shows
    std::array<int, kRecordCount> SlabWidth{};  // records 0..LayerCount + 1
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
