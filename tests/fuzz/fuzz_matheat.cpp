#include <cmath>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "core/heat_capacity_file.h"
#include "fuzz_checks.h"

namespace {

using namespace strativex;

// Every row taken is a usable heat capacity, once per id; every problem names a data line.
void RowsAreUsable(const HeatCapacityTable& table) {
    std::set<int> ids;
    for (const HeatCapacity& row : table.Rows) {
        fuzz::Require(row.Id >= 1 && !row.Name.empty() && ids.insert(row.Id).second);
        fuzz::Require(std::isfinite(row.Density) && row.Density > 0.0);
        fuzz::Require(std::isfinite(row.SpecificHeat) && row.SpecificHeat > 0.0);
        fuzz::Require(std::isfinite(row.Volumetric()));
    }
    for (const HeatCapacityProblem& problem : table.Problems) {
        fuzz::Require(problem.Line >= 2 && !problem.Field.empty() && !problem.Text.empty());
    }
}

// Writing every row back in place reads back to the same rows and problems.
void MergeRoundTrip(const std::string& content, const HeatCapacityTable& first) {
    const HeatCapacityTable second =
        ParseHeatCapacities(MergeHeatCapacities(content, first.Rows, {}));
    fuzz::Require(second.Rows.size() == first.Rows.size());
    fuzz::Require(second.Problems.size() == first.Problems.size());
    for (std::size_t i = 0; i < first.Rows.size(); ++i) {
        const HeatCapacity& a = first.Rows[i];
        const HeatCapacity& b = second.Rows[i];
        fuzz::Require(a.Id == b.Id && a.Name == b.Name && a.Source == b.Source);
        fuzz::Require(a.Density == b.Density && a.SpecificHeat == b.SpecificHeat);
    }
}

}  // namespace

// Any bytes as matheat.csv.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const HeatCapacityTable table = ParseHeatCapacities(content);
    RowsAreUsable(table);
    if (table.FileProblem.empty()) MergeRoundTrip(content, table);
    return 0;
}
