#pragma once

#include <string>
#include <vector>

#include "cli/loaded_model.h"
#include "core/material_table.h"

namespace strativex {

// A header line and one line per layer, CR LF line ends, fields quoted only when they must be;
// with exactColumns, the 3-D check's columns follow the others; with transientColumns, the
// transient's, and its curves and networks as a second table after an empty line.
std::string CsvReport(const std::vector<LoadedModel>& models, const MaterialTable& table,
                      bool exactColumns = false, bool transientColumns = false);

}  // namespace strativex
