#pragma once

#include <QColor>
#include <QString>

#include <array>

#include "core/model.h"
#include "views/stack/data_table_geometry.h"
#include "views/stack/view_inputs.h"

namespace strativex {

// Three heading lines per column: two wording lines and the unit line.
using DataTableHeadings = std::array<std::array<QString, 3>, kTableColumns>;
DataTableHeadings HeadingTexts(bool longHeadings, LengthUnit unit);

// The texts of one body row; an empty text leaves its cell empty.
struct DataTableRowTexts {
    std::array<QString, 2> Material;  // column 0: the name (cut to fit) over the record's role
    std::array<QString, 2> Size;      // column 1: width over length
    QString Thickness;
    QString Angle;
    QString Temperature;
    QString Resistance;
};

// Row 0 is the heat source, rows 1..LayerCount the layers, row LayerCount + 1 the base.
DataTableRowTexts RowTexts(const ViewInputs& inputs, int row);
QColor RowColor(const ViewInputs& inputs, int row);
// The total under the resistance column stands out from the base's navy.
QColor TotalColor();

}  // namespace strativex
