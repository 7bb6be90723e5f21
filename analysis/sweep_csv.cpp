#include "analysis/sweep_csv.h"

#include "cli/sweep_report.h"
#include "core/number_text.h"

namespace strativex {
namespace {

std::optional<std::string> Number(const std::optional<double>& value) {
    return value ? ShortestText(*value) : std::nullopt;
}

void AddExactCells(std::vector<OutputCell>& cells, const SweepShown& shown, std::size_t index) {
    SweepExactPoint found;
    for (const SweepExactPoint& point : shown.ExactPoints) {
        if (point.Index == index) found = point;
    }
    cells.push_back({"exact_average_temp_c", Number(found.AverageC)});
    cells.push_back({"exact_peak_temp_c", Number(found.PeakC)});
}

}  // namespace

std::string SweepWindowCsv(const SweepShown& shown) {
    std::vector<std::vector<OutputCell>> rows;
    for (std::size_t p = 0; p < shown.Sweep.Points.size(); ++p) {
        rows.push_back(SweepPointCells(shown.Sweep, p, shown.Materials));
        if (shown.ExactAsked) AddExactCells(rows.back(), shown, p);
    }
    return SweepCsvLines(rows);
}

}  // namespace strativex
