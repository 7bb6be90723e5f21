#include "tools/helpdocs/help_tables.h"

#include <QColor>
#include <QTextTable>

#include "tools/helpdocs/help_blocks.h"

namespace strativex::helpdocs {
namespace {

const QColor kRuleColor(0x9a, 0xa5, 0xb4);
const QColor kHeaderFill(0xe3, 0xe9, 0xf1);
constexpr double kCellPadding = 4.0;
constexpr double kTableRule = 0.75;

QTextTableCellFormat StyledCell(QTextTableCellFormat format, bool header) {
    // Rules between the rows only: the table reads across, not down.
    format.setBorder(0.0);
    format.setBottomBorder(kTableRule);
    format.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBottomBorderBrush(kRuleColor);
    if (header) {
        format.setTopBorder(kTableRule);
        format.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setTopBorderBrush(kRuleColor);
        format.setBackground(kHeaderFill);
    }
    return format;
}

void StyleTable(QTextTable* table) {
    QTextTableFormat format = table->format();
    format.setBorder(0.0);
    format.setBorderCollapse(true);
    format.setCellSpacing(0.0);
    format.setCellPadding(kCellPadding);
    format.setTopMargin(kParagraphGap);
    format.setBottomMargin(kParagraphGap);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100.0));
    format.setHeaderRowCount(1);
    table->setFormat(format);
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
            QTextTableCell cell = table->cellAt(row, column);
            cell.setFormat(StyledCell(cell.format().toTableCellFormat(), row == 0));
        }
    }
}

}  // namespace

void StyleTables(QTextFrame* frame) {
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child)) StyleTable(table);
        StyleTables(child);
    }
}

}  // namespace strativex::helpdocs
