#pragma once

#include <QString>

#include "views/surface/drawing_surface.h"

namespace strativex {

// The text without as many last characters as it takes to be no wider than width in the
// surface's current font; an empty text stays empty.
QString CutToWidth(const DrawingSurface& surface, const QString& text, double width);

// The same, but a text that had to be cut ends in "…", so the reader knows something is
// missing; empty when not even the "…" fits.
QString ElideToWidth(const DrawingSurface& surface, const QString& text, double width);

}  // namespace strativex
