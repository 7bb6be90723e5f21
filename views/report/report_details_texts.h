#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

#include "views/exact_check/exact_summary.h"
#include "views/stack/view_inputs.h"

namespace strativex {

// The texts of the report's details page: what a colleague needs to rebuild the model and to
// read its results, every value with its name and unit.

struct LabelledValue {
    QString Label;
    QString Value;
};
using LabelledValues = std::vector<LabelledValue>;

struct PageTableTexts {
    QStringList Headings;  // "\n" puts a heading on two lines
    std::vector<QStringList> Rows;
    std::vector<int> TextColumns;  // aligned left; the others hold numbers, aligned right
    int FlexibleColumn = 0;        // takes the width the others leave, its texts cut with "…"
};

LabelledValues DetailsHeader(const ReportInputs& inputs, const QDateTime& made);
// The heat source and every layer as entered: description, material, size, angle.
PageTableTexts LayerInputTable(const ViewInputs& inputs);
// Every layer's conductivity at its top, footprint, resistance, temperature and status; with
// the 3-D check, its top temperature beside the estimate's.
PageTableTexts LayerResultTable(const ViewInputs& inputs, const ExactCheckSummary* exact);
LabelledValues DetailsTotals(const ViewInputs& inputs);
// What the marks that stand in for values mean.
LabelledValues ResultMarkLegend();
LabelledValues ExactCheckLines(const ViewInputs& inputs, const ExactCheckSummary& summary);

}  // namespace strativex
