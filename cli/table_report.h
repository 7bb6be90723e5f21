#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/loaded_model.h"
#include "core/material_table.h"

namespace strativex {

// The results table of each model as the program shows it, numbers with the default digits.
std::string TableReport(const std::vector<LoadedModel>& models, const MaterialTable& table);
// The same written to out model by model, so that a long run never holds all of it.
void WriteTableReport(std::ostream& out, const std::vector<LoadedModel>& models,
                      const MaterialTable& table);

}  // namespace strativex
