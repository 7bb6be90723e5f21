#include "views/plot/plot_style.h"

#include <array>

#include "views/surface/view_fonts.h"

namespace strativex {
namespace {

constexpr int kTickPixels = 11;
constexpr int kTitlePixels = 12;
constexpr int kLegendPixels = 11;

}  // namespace

QFont PlotFont(PlotFontRole role) {
    QFont font = ViewFont(kSansFontName, 8.0, false, false);
    // Pixel sizes, so that a page drawn through a scaled painter measures as the screen does.
    switch (role) {
        case PlotFontRole::Tick:
            font.setPixelSize(kTickPixels);
            break;
        case PlotFontRole::Title:
            font.setPixelSize(kTitlePixels);
            font.setBold(true);
            break;
        case PlotFontRole::Legend:
            font.setPixelSize(kLegendPixels);
            break;
    }
    return font;
}

QColor LayerSeriesColor(int layer) {
    static constexpr std::array<QRgb, 10> kColors{0xFF4E79A7, 0xFFF28E2B, 0xFF59A14F, 0xFFB07AA1,
                                                  0xFF76B7B2, 0xFFEDC948, 0xFFFF9DA7, 0xFF9C755F,
                                                  0xFFBAB0AC, 0xFFE15759};
    return QColor::fromRgb(kColors[static_cast<std::size_t>((layer - 1) % 10)]);
}

}  // namespace strativex
