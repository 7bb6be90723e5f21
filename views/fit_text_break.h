#pragma once

#include <QString>

#include "views/drawing_surface.h"

namespace strativex {

// How many characters of the text go on one line of the given width in the surface's current
// font: up to and including a line feed, else up to the last blank that fits, else (a word
// wider than the line) as many characters as fit.
int FitTextBreak(const DrawingSurface& surface, const QString& text, double width);

}  // namespace strativex
