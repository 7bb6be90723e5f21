#include "core/heat_capacity_table.h"

#include <algorithm>

#include "core/heat_capacity_file.h"

namespace strativex {

std::optional<HeatCapacity> FindHeatCapacity(const HeatCapacityTable& table, int id) {
    const auto row = std::find_if(table.Rows.begin(), table.Rows.end(),
                                  [id](const HeatCapacity& entry) { return entry.Id == id; });
    if (row == table.Rows.end()) return std::nullopt;
    return *row;
}

std::optional<double> VolumetricHeatCapacity(const HeatCapacityTable& table, int id) {
    const auto row = FindHeatCapacity(table, id);
    if (!row) return std::nullopt;
    return row->Volumetric();
}

std::string ProblemText(const HeatCapacityProblem& problem) {
    return std::string(kHeatCapacityFileName) + " line " + std::to_string(problem.Line) + ", " +
           problem.Field + ": " + problem.Text;
}

}  // namespace strativex
