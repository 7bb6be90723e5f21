#pragma once

#include <QColor>

#include <array>

namespace strativex {

constexpr int kLayerPaletteSize = 10;
using LayerPalette = std::array<QColor, kLayerPaletteSize>;

// Black, green, maroon, grey, blue, magenta, purple, teal, olive, lime.
const LayerPalette& StandardLayerPalette();

// The colour of a layer's ColorIndex. An index outside the palette (only a damaged model file
// holds one) shows as the palette's first colour instead of reading past the table.
QColor PaletteColor(const LayerPalette& palette, int colorIndex);

}  // namespace strativex
