#pragma once

#include <QString>
#include <QStringList>

#include "views/surface/drawing_surface.h"

namespace strativex {

// How many characters of the text go on one line of the given width in the surface's current
// font: up to and including a line feed, else up to the last blank that fits, else (a word
// wider than the line) as many characters as fit.
int FitTextBreak(const DrawingSurface& surface, const QString& text, double width);

// A piece of text as its line shows it: no blanks before it, no line break after it.
QString ShownLine(const QString& piece);

// The whole text broken into lines of the given width, each at least one character long.
QStringList WrappedLines(const DrawingSurface& surface, QString text, double width);

}  // namespace strativex
