#pragma once

#include <array>
#include <optional>

#include "core/model.h"
#include "views/stack/click_limits.h"

namespace strativex {

// Rows of the layer strip in pixels, and the places of the controls that stand beside it in
// twips (15 to a pixel, so that row y matches a control top of 15 y).
struct LayerStripGeometry {
    int LayerCount = 0;                    // the model's, held to 0..10
    int RowHeight = 0;                     // h
    int TopRow = 0;                        // t0
    std::array<int, kRecordCount> RowY{};  // front top edge of records 0..LayerCount
    std::array<int, kRecordCount> OptLayerTop{};
    static constexpr int kOptLayerLeft = 60;
    static constexpr int kPointerLeft = 3600;
    ClickLimits StripBottomY{};
};

LayerStripGeometry ComputeLayerStrip(const Model& model);

// The top of the pointer beside the selected record, in twips; nothing when that record is not
// in the stack, and the pointer then stays put.
std::optional<int> LayerPointerTop(const LayerStripGeometry& strip, int currentLayer);

// The record a click at (x, y) pixels on the strip selects, if any.
std::optional<int> LayerStripRecordAt(const ClickLimits& stripBottomY, int layerCount, int x,
                                      int y);

}  // namespace strativex
