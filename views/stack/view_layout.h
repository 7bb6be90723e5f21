#pragma once

#include "views/surface/drawing_surface.h"

namespace strativex {

// A view fills its whole picture on the screen; on the printer and in the preview it takes
// its place on the page.
enum class ViewLayout { Screen, Page };

inline ViewLayout LayoutFor(const DrawingSurface& surface, bool previewMode) {
    return surface.IsPrinter() || previewMode ? ViewLayout::Page : ViewLayout::Screen;
}

}  // namespace strativex
