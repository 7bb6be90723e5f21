#pragma once

#include <optional>

#include "views/stack/layer_strip_geometry.h"
#include "views/stack/view_inputs.h"
#include "views/surface/drawing_surface.h"

namespace strativex {

// Record number of the isothermal base for DrawSingleLayer.
constexpr int kIsothermalBase = -1;

// Redraws the whole strip on its picture (pixels). Returns the geometry the strip was drawn
// with, from which the option buttons and the pointer are placed; nothing while updates are
// suspended.
std::optional<LayerStripGeometry> DrawLayerStrip(DrawingSurface& surface, const ViewInputs& inputs);

// Draws record j (or the base) as an oblique slab with its front top edge at row y.
void DrawSingleLayer(DrawingSurface& surface, const ViewInputs& inputs, int j, int y);

}  // namespace strativex
