#pragma once

#include "views/report/report_details_texts.h"
#include "views/surface/drawing_surface.h"

namespace strativex {

// Draws the table in the surface's current font, headings in bold, from (left, top) across
// width, ruled above and below the headings and below the last row. Columns take the width
// of their widest text; the flexible column takes what the others leave, and a text too wide
// for its column is cut with "…". Returns the y below the table.
double DrawPageTable(DrawingSurface& surface, const PageTableTexts& table, double left, double top,
                     double width);

}  // namespace strativex
