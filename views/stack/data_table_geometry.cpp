#include "views/stack/data_table_geometry.h"

#include <algorithm>

#include "core/model.h"
#include "views/surface/integer16.h"

namespace strativex {
namespace {

constexpr std::array<double, kTableColumns> kColumnWeights{1.5, 1.0, 0.8, 0.7, 0.8, 1.2};
constexpr int kLongHeadingsAbove = 6600;
constexpr int kHeaderBottom = 600;

void PlaceTable(DataTableGeometry& g, double scaleWidth, double scaleHeight, ViewLayout layout) {
    if (layout == ViewLayout::Screen) {
        g.Width = RoundToInt16(scaleWidth);
        g.Height = RoundToInt16(scaleHeight);
    } else {
        g.Width = RoundToInt16(scaleWidth * 0.9);
        g.Height = RoundToInt16(scaleHeight * 0.45);
        g.OriginX = RoundToInt16(scaleWidth * 0.05);
        g.OriginY = RoundToInt16(scaleHeight * 0.51);
    }
}

void ChooseFont(DataTableGeometry& g) {
    if (g.Width < 8000 || g.Height < 6500) {
        g.FontPoints = 8;
        g.LineOffset = 85;
    } else if (g.Width < 9000 || g.Height < 9000) {
        g.FontPoints = 10;
        g.LineOffset = 110;
    } else {
        g.FontPoints = 12;
        g.LineOffset = 130;
    }
}

}  // namespace

DataTableGeometry ComputeDataTable(int layerCount, double scaleWidth, double scaleHeight,
                                   ViewLayout layout) {
    DataTableGeometry g;
    const int n = StackLayerCount(layerCount);
    g.LayerCount = n;
    PlaceTable(g, scaleWidth, scaleHeight, layout);
    ChooseFont(g);
    g.LongHeadings = g.Width > kLongHeadingsAbove;
    for (int c = 1; c <= kTableColumns; ++c) {
        g.ColX[c] = RoundToInt16(g.ColX[c - 1] + kColumnWeights[c - 1] * g.Width / 6.0);
    }
    g.BodyTop = g.OriginY + g.FontPoints * 110;
    g.RowPitch =
        RoundToInt16(static_cast<double>(g.Height - g.FontPoints * 110) / std::max(8, n + 2));
    g.LineHalfGap = RoundToInt16(std::min(1.3, 11.0 / (n + 1)) * g.LineOffset);
    if (layout == ViewLayout::Screen) {
        for (int r = 0; r <= n; ++r)
            g.RowBottomY[r] = RoundToInt16((r + 0.8) * g.RowPitch + g.BodyTop);
    }
    return g;
}

int RowY(const DataTableGeometry& geometry, int row) {
    return geometry.BodyTop + row * geometry.RowPitch;
}

double CentredX(const DataTableGeometry& geometry, int column, double textWidth) {
    return geometry.OriginX + (geometry.ColX[column] + geometry.ColX[column + 1]) / 2.0 -
           textWidth / 2.0;
}

std::optional<int> DataTableRecordAt(const ClickLimits& rowBottomY, int layerCount, int y) {
    if (y < kHeaderBottom) return std::nullopt;
    const int n = StackLayerCount(layerCount);
    for (int r = 0; r <= n; ++r) {
        if (y < rowBottomY[r]) return r;
    }
    return std::nullopt;
}

}  // namespace strativex
