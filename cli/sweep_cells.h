#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/output_cell.h"
#include "core/material_table.h"
#include "core/sweep.h"

namespace strativex {

// The point's swept value, material, heat source temperature, total resistance, status, failed
// layer and every layer's top temperature; numbers read back to the same value.
std::vector<OutputCell> SweepPointCells(const SweepResult& sweep, std::size_t index,
                                        const MaterialTable& table);

}  // namespace strativex
