#pragma once

#include <optional>

#include "views/stack/scale_view_geometry.h"
#include "views/stack/view_inputs.h"
#include "views/surface/drawing_surface.h"

namespace strativex {

// Draws the to-scale cross-section. The click limits come back only from a drawing in the
// screen layout; the printer and the preview leave the screen's limits as they are.
std::optional<ScaleClickLimits> DrawScaleView(DrawingSurface& surface, bool previewMode,
                                              const ViewInputs& inputs);

}  // namespace strativex
