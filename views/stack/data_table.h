#pragma once

#include <optional>

#include "views/stack/click_limits.h"
#include "views/stack/view_inputs.h"
#include "views/surface/drawing_surface.h"

namespace strativex {

// Draws the results table. The row limits come back only from a drawing in the screen
// layout; the printer and the preview leave the screen's limits as they are. In preview mode
// every text is a placeholder that shows where the text goes.
std::optional<ClickLimits> DrawDataTable(DrawingSurface& surface, bool previewMode,
                                         const ViewInputs& inputs);

}  // namespace strativex
