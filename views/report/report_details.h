#pragma once

#include <QDateTime>

#include "views/stack/view_inputs.h"
#include "views/surface/drawing_surface.h"

namespace strativex {

// The page that follows the report in a PDF, "Calculation details": the model's name, file,
// the date and time it was made, the program; every layer as entered and its results; the
// totals in words; what the marks mean; the 3-D check when it was computed; the comments.
void DrawDetailsPage(DrawingSurface& surface, const ReportInputs& inputs, const QDateTime& made);

}  // namespace strativex
