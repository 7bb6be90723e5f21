#pragma once

#include <string>
#include <vector>

#include "cli/loaded_model.h"
#include "core/material_table.h"

namespace strativex {

// The results table of each model as the program shows it, numbers with the default digits.
std::string TableReport(const std::vector<LoadedModel>& models, const MaterialTable& table);

}  // namespace strativex
