#include "analysis/sweep_csv.h"

#include "cli/csv_text.h"
#include "cli/number_text.h"
#include "cli/sweep_cells.h"

namespace strativex {
namespace {

std::optional<std::string> Number(const std::optional<double>& value) {
    return value ? ShortestText(*value) : std::nullopt;
}

void AddExactCells(std::vector<SweepCell>& cells, const SweepShown& shown, std::size_t index) {
    SweepExactPoint found;
    for (const SweepExactPoint& point : shown.ExactPoints) {
        if (point.Index == index) found = point;
    }
    cells.push_back({"exact_average_temp_c", Number(found.AverageC)});
    cells.push_back({"exact_peak_temp_c", Number(found.PeakC)});
}

template <typename Text>
std::string Line(const std::vector<SweepCell>& cells, Text text) {
    std::string line;
    for (const SweepCell& cell : cells) {
        if (!line.empty()) line += ',';
        line += text(cell);
    }
    return line + "\r\n";
}

}  // namespace

std::string SweepWindowCsv(const SweepShown& shown) {
    std::string csv;
    for (std::size_t p = 0; p < shown.Sweep.Points.size(); ++p) {
        std::vector<SweepCell> cells = SweepPointCells(shown.Sweep, p, shown.Materials);
        if (shown.ExactAsked) AddExactCells(cells, shown, p);
        if (p == 0) csv += Line(cells, [](const SweepCell& cell) { return cell.Column; });
        csv += Line(cells, [](const SweepCell& cell) { return CsvField(cell.Value.value_or("")); });
    }
    return csv;
}

}  // namespace strativex
