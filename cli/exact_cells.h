#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exact/exact_result.h"

namespace strativex {

// One value of the 3-D check under its name, shared by the JSON object (the name as it is)
// and the CSV columns (the name after "exact_"), so that a script finds the same in both.
struct ExactCell {
    std::string Name;
    std::optional<std::string> Value;  // nothing where the check has no value (null, empty)
    bool IsText = false;               // a string rather than a number
};

std::string_view ExactStatusName(exact::ExactStatus status);

// The model's values: status, reason, temperatures, resistances, errors, the comparison with
// the estimate, the equivalent angle and the grid's size and work. Numbers read back to the
// same double.
std::vector<ExactCell> ExactModelCells(const exact::ExactResult& result);
// Layer `index` (1 = under the heat source): its top temperature and that one's error.
std::vector<ExactCell> ExactLayerCells(const exact::ExactResult& result, int index);

}  // namespace strativex
