#include "cli/csv_text.h"
#include "cli/sweep_cells.h"
#include "cli/sweep_report.h"

namespace strativex {
namespace {

constexpr const char* kLineEnd = "\r\n";

template <typename Text>
std::string Line(const std::vector<SweepCell>& cells, Text text) {
    std::string line;
    for (const SweepCell& cell : cells) {
        if (!line.empty()) line += ",";
        line += text(cell);
    }
    return line + kLineEnd;
}

}  // namespace

std::string SweepCsvReport(const SweepResult& sweep, const MaterialTable& table) {
    std::vector<std::vector<SweepCell>> rows;
    for (std::size_t p = 0; p < sweep.Points.size(); ++p) {
        rows.push_back(SweepPointCells(sweep, p, table));
    }
    return SweepCsvLines(rows);
}

std::string SweepCsvLines(const std::vector<std::vector<SweepCell>>& rows) {
    std::string text;
    for (const std::vector<SweepCell>& cells : rows) {
        if (text.empty()) text += Line(cells, [](const SweepCell& cell) { return cell.Column; });
        text +=
            Line(cells, [](const SweepCell& cell) { return CsvField(cell.Value.value_or("")); });
    }
    return text;
}

}  // namespace strativex
