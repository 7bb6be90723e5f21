#pragma once

#include <optional>

#include "views/drawing_surface.h"
#include "views/scale_view_geometry.h"
#include "views/view_inputs.h"

namespace strativex {

// Draws the to-scale cross-section. The click limits come back only from a drawing in the
// screen layout; the printer and the preview leave the screen's limits as they are.
std::optional<ScaleClickLimits> DrawScaleView(DrawingSurface& surface, bool previewMode,
                                              const ViewInputs& inputs);

}  // namespace strativex
