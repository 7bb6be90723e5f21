#include "tools/helpdocs/help_field_table.h"

#include <QStringList>

#include <algorithm>

#include "core/number_format.h"
#include "core/quantity.h"

namespace strativex::helpdocs {
namespace {

// How the help writes a unit: after each bound ("0° to 45°") or after the range
// ("0.025 to 250 mm"), and the units a whole step counts in.
struct UnitMarks {
    QString AfterEach;
    QString AfterRange;
    QString Wholes;
};

UnitMarks MarksOf(UnitFamily family, LengthUnit unit) {
    switch (family) {
        case UnitFamily::Power:
            return {{}, QStringLiteral(" W"), QStringLiteral("watts")};
        case UnitFamily::Temperature:
            return {{}, QStringLiteral(" \u00B0C"), QStringLiteral("degrees")};
        case UnitFamily::Length:
            return {{},
                    ' ' + QString::fromUtf8(UnitLabel(unit)),
                    unit == LengthUnit::Inches ? QStringLiteral("inches")
                                               : QStringLiteral("millimetres")};
        case UnitFamily::Angle:
            return {QStringLiteral("\u00B0"), {}, QStringLiteral("degrees")};
        case UnitFamily::MaterialId:
            break;
    }
    return {};
}

// The number as the window's refusal gives it, with a true minus sign in print.
QString Bound(float value) {
    QString text = QString::fromStdString(NumberText(value));
    if (text.startsWith('-')) text.replace(0, 1, QChar(0x2212));
    return text;
}

QString RangeText(const QuantityDescriptor& quantity, LengthUnit unit) {
    if (!HasBounds(quantity)) return QStringLiteral("one from the list");
    const UnitMarks marks = MarksOf(quantity.Unit, unit);
    const AcceptedRange range = AcceptedRangeOf(quantity, unit);
    QString text = Bound(range.Low) + marks.AfterEach + QStringLiteral(" to ") + Bound(range.High) +
                   marks.AfterEach + marks.AfterRange;
    if (quantity.ZeroMeansNoLimit) text += QStringLiteral(", or 0 for no limit");
    if (quantity.WholeSteps) text += QStringLiteral(", whole ") + marks.Wholes;
    return text;
}

bool SameValues(const FieldRangeRow& a, const FieldRangeRow& b) {
    return a.AppliesTo == b.AppliesTo && a.Inches == b.Inches && a.Millimetres == b.Millimetres;
}

// Each field's rows moved up under its first, the order of the fields kept.
std::vector<FieldRangeRow> FieldsTogether(const std::vector<FieldRangeRow>& rows) {
    std::vector<FieldRangeRow> ordered;
    for (const FieldRangeRow& row : rows) {
        const auto placed = [&row](const FieldRangeRow& r) { return r.Field == row.Field; };
        if (std::any_of(ordered.begin(), ordered.end(), placed)) continue;
        std::copy_if(rows.begin(), rows.end(), std::back_inserter(ordered), placed);
    }
    return ordered;
}

QString Cells(const QStringList& cells) {
    return QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
}

}  // namespace

std::vector<FieldRangeRow> FieldRangeRows() {
    std::vector<FieldRangeRow> rows;
    for (const QuantityDescriptor& quantity : Quantities()) {
        const FieldRangeRow row{
            QString::fromUtf8(quantity.Label), QString::fromUtf8(quantity.AppliesTo),
            RangeText(quantity, LengthUnit::Inches), RangeText(quantity, LengthUnit::Millimeters)};
        if (!rows.empty() && SameValues(rows.back(), row)) {
            rows.back().Field += QStringLiteral(", ") + row.Field;
        } else {
            rows.push_back(row);
        }
    }
    return FieldsTogether(rows);
}

QString FieldRangeTable() {
    QString table =
        Cells({QStringLiteral("Field"), QStringLiteral("Applies to"),
               QStringLiteral("Range in inches"), QStringLiteral("Range in millimetres")}) +
        QStringLiteral("|---|---|---|---|\n");
    for (const FieldRangeRow& row : FieldRangeRows()) {
        table += Cells({row.Field, row.AppliesTo, row.Inches, row.Millimetres});
    }
    return table;
}

}  // namespace strativex::helpdocs
