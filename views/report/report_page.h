#pragma once

#include "views/stack/view_inputs.h"
#include "views/surface/drawing_surface.h"

namespace strativex {

// Places on the page, in the surface's units, each rounded to a whole unit.
struct PageQuantities {
    int TopLineY = 0;
    int CommentsBottom = 0;
    int MiddleX = 0;
    int RightMarginX = 0;
    int LineHeight = 0;
    int Indent = 0;
    int ValueColumnOffset = 0;
};

PageQuantities ComputePageQuantities(double pageWidth, double pageHeight);

// Draws the page's frame around the two views: the model name, the information lines, the
// comments box, the file name and the logo line.
void PrintPage(DrawingSurface& surface, const ReportInputs& inputs);

}  // namespace strativex
