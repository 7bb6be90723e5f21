#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/material_table.h"
#include "core/sweep.h"

namespace strativex {

// One value of a point under its column name, shared by the JSON and CSV forms so that a
// script finds the same name in both.
struct SweepCell {
    std::string Column;
    std::optional<std::string> Value;  // nothing where the point has no value (null, empty)
    bool IsText = false;               // a string rather than a number
};

// The point's swept value, material, heat source temperature, total resistance, status, failed
// layer and every layer's top temperature; numbers read back to the same value.
std::vector<SweepCell> SweepPointCells(const SweepResult& sweep, std::size_t index,
                                       const MaterialTable& table);

}  // namespace strativex
