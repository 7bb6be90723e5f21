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
    std::string text;
    for (std::size_t p = 0; p < sweep.Points.size(); ++p) {
        const std::vector<SweepCell> cells = SweepPointCells(sweep, p, table);
        if (p == 0) text += Line(cells, [](const SweepCell& cell) { return cell.Column; });
        text +=
            Line(cells, [](const SweepCell& cell) { return CsvField(cell.Value.value_or("")); });
    }
    return text;
}

}  // namespace strativex
