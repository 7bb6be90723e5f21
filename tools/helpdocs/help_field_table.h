#pragma once

#include <QString>

#include <vector>

namespace strativex::helpdocs {

// A row of the help's table of the fields and the values the window accepts in each.
struct FieldRangeRow {
    QString Field;  // "Width, Length"
    QString AppliesTo;
    QString Inches;
    QString Millimetres;
};

// One row a field of the table of quantities, neighbours that apply to the same record and
// take the same values sharing one ("Width, Length"); the rows of one field stand together.
std::vector<FieldRangeRow> FieldRangeRows();

// The rows as a Markdown table under its header.
QString FieldRangeTable();

}  // namespace strativex::helpdocs
