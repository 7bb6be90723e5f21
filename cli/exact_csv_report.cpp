#include "cli/exact_cells.h"
#include "cli/exact_report.h"
#include "core/csv_fields.h"

namespace strativex {
namespace {

template <typename Text>
std::string Joined(const std::vector<OutputCell>& cells, Text text) {
    std::string line;
    for (const OutputCell& cell : cells) line += "," + text(cell);
    return line;
}

std::string Column(const OutputCell& cell) {
    return "exact_" + cell.Name;
}

std::string BaseColumn(const OutputCell& cell) {
    return "exact_base_" + cell.Name;
}

std::string ArrayColumn(const OutputCell& cell) {
    return "exact_array_" + cell.Name;
}

std::string HottestColumn(const OutputCell& cell) {
    return "exact_hottest_" + cell.Name;
}

std::string Field(const OutputCell& cell) {
    return QuoteCsvField(cell.Value.value_or(""));
}

}  // namespace

std::string ExactCsvHeader() {
    const exact::ExactResult none;
    return Joined(ExactModelCells(none), Column) + Joined(ExactBaseCells(none), BaseColumn) +
           Joined(ExactArrayCells(none), ArrayColumn) +
           Joined(ExactHottestCells(none), HottestColumn) +
           Joined(ExactLayerCells(none, 1), Column);
}

std::string ExactCsvFields(const exact::ExactResult& result, int index) {
    return Joined(ExactModelCells(result), Field) + Joined(ExactBaseCells(result), Field) +
           Joined(ExactArrayCells(result), Field) + Joined(ExactHottestCells(result), Field) +
           Joined(ExactLayerCells(result, index), Field);
}

}  // namespace strativex
