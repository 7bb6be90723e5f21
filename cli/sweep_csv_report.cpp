#include "cli/sweep_cells.h"
#include "cli/sweep_report.h"
#include "core/csv_fields.h"

namespace strativex {
namespace {

constexpr const char* kLineEnd = "\r\n";

template <typename Text>
std::string Line(const std::vector<OutputCell>& cells, Text text) {
    std::string line;
    for (const OutputCell& cell : cells) {
        if (!line.empty()) line += ",";
        line += text(cell);
    }
    return line + kLineEnd;
}

}  // namespace

std::string SweepCsvReport(const SweepResult& sweep, const MaterialTable& table) {
    std::vector<std::vector<OutputCell>> rows;
    for (std::size_t p = 0; p < sweep.Points.size(); ++p) {
        rows.push_back(SweepPointCells(sweep, p, table));
    }
    return SweepCsvLines(rows);
}

std::string SweepCsvLines(const std::vector<std::vector<OutputCell>>& rows) {
    std::string text;
    for (const std::vector<OutputCell>& cells : rows) {
        if (text.empty()) text += Line(cells, [](const OutputCell& cell) { return cell.Name; });
        text += Line(cells,
                     [](const OutputCell& cell) { return QuoteCsvField(cell.Value.value_or("")); });
    }
    return text;
}

}  // namespace strativex
