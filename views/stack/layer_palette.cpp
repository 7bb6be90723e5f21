#include "views/stack/layer_palette.h"

namespace strativex {

const LayerPalette& StandardLayerPalette() {
    static const LayerPalette palette{
        QColor(0, 0, 0),     QColor(0, 128, 0),   QColor(128, 0, 0),   QColor(128, 128, 128),
        QColor(0, 0, 255),   QColor(255, 0, 255), QColor(128, 0, 128), QColor(0, 128, 128),
        QColor(128, 128, 0), QColor(0, 255, 0),
    };
    return palette;
}

QColor PaletteColor(const LayerPalette& palette, int colorIndex) {
    if (colorIndex < 0 || colorIndex >= kLayerPaletteSize) return palette[0];
    return palette[static_cast<std::size_t>(colorIndex)];
}

}  // namespace strativex
