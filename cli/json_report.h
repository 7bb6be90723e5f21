#pragma once

#include <string>
#include <vector>

#include "cli/loaded_model.h"
#include "core/material_table.h"

namespace strativex {

// One object per model, every stored float written so that it reads back to the same bits.
std::string JsonReport(const std::vector<LoadedModel>& models, const MaterialTable& table);

}  // namespace strativex
