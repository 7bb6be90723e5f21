#include "views/data_table_geometry.h"

#include <algorithm>

#include "core/model.h"
#include "views/integer16.h"

namespace strativex {
namespace {

constexpr std::array<double, kTableColumns> kColumnWeights{1.5, 1.0, 0.8, 0.7, 0.8, 1.2};
constexpr int kLongHeadingsAbove = 6600;
constexpr int kHeaderBottom = 600;

void PlaceTable(DataTableGeometry& g, double scaleWidth, double scaleHeight, ViewLayout layout) {
    if (layout == ViewLayout::Screen) {
        g.W = RoundToInt16(scaleWidth);
        g.H = RoundToInt16(scaleHeight);
    } else {
        g.W = RoundToInt16(scaleWidth * 0.9);
        g.H = RoundToInt16(scaleHeight * 0.45);
        g.X0 = RoundToInt16(scaleWidth * 0.05);
        g.Y0 = RoundToInt16(scaleHeight * 0.51);
    }
}

void ChooseFont(DataTableGeometry& g) {
    if (g.W < 8000 || g.H < 6500) {
        g.F = 8;
        g.S = 85;
    } else if (g.W < 9000 || g.H < 9000) {
        g.F = 10;
        g.S = 110;
    } else {
        g.F = 12;
        g.S = 130;
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
    g.LongHeadings = g.W > kLongHeadingsAbove;
    for (int c = 1; c <= kTableColumns; ++c) {
        g.ColX[c] = RoundToInt16(g.ColX[c - 1] + kColumnWeights[c - 1] * g.W / 6.0);
    }
    g.YT = g.Y0 + g.F * 110;
    g.RH = RoundToInt16(static_cast<double>(g.H - g.F * 110) / std::max(8, n + 2));
    g.D = RoundToInt16(std::min(1.3, 11.0 / (n + 1)) * g.S);
    if (layout == ViewLayout::Screen) {
        for (int r = 0; r <= n; ++r) g.RowBottomY[r] = RoundToInt16((r + 0.8) * g.RH + g.YT);
    }
    return g;
}

int RowY(const DataTableGeometry& geometry, int row) {
    return geometry.YT + row * geometry.RH;
}

double CentredX(const DataTableGeometry& geometry, int column, double textWidth) {
    return geometry.X0 + (geometry.ColX[column] + geometry.ColX[column + 1]) / 2.0 -
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
