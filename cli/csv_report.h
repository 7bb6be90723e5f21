#pragma once

#include <string>
#include <vector>

#include "cli/loaded_model.h"
#include "core/material_table.h"

namespace strativex {

// A header line and one line per layer, CR LF line ends, fields quoted only when they must be;
// with exactColumns, the 3-D check's columns follow the others.
std::string CsvReport(const std::vector<LoadedModel>& models, const MaterialTable& table,
                      bool exactColumns = false);

}  // namespace strativex
