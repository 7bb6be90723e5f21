#pragma once

#include <array>
#include <optional>

#include "views/stack/click_limits.h"
#include "views/stack/view_layout.h"

namespace strativex {

constexpr int kTableColumns = 6;

// Layout of the results table, in twips.
struct DataTableGeometry {
    int Width = 0;
    int Height = 0;
    int OriginX = 0;  // top left corner
    int OriginY = 0;
    int FontPoints = 8;   // font size of headings and body
    int LineOffset = 85;  // base of the offset between the two lines of a cell
    bool LongHeadings = false;
    std::array<int, kTableColumns + 1> ColX{};
    int BodyTop = 0;
    int RowPitch = 0;
    int LineHalfGap = 0;  // half the distance between the lines of a two-line cell
    int LayerCount = 0;   // the model's, held to 0..10
    ClickLimits RowBottomY{};
};

DataTableGeometry ComputeDataTable(int layerCount, double scaleWidth, double scaleHeight,
                                   ViewLayout layout);

// Reference height of row r: 0 the heat source, 1..LayerCount the layers, then the base.
int RowY(const DataTableGeometry& geometry, int row);

// Left edge of a text of the given width centred in column c.
double CentredX(const DataTableGeometry& geometry, int column, double textWidth);

// The record a click at height y (twips) in the screen's table selects, if any.
std::optional<int> DataTableRecordAt(const ClickLimits& rowBottomY, int layerCount, int y);

}  // namespace strativex
