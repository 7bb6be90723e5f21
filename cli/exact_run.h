#pragma once

#include "core/material_table.h"
#include "core/model.h"
#include "exact/exact_result.h"

namespace strativex {

// The 3-D check of a loaded model as the reports print it: without the temperature field and
// the pictures, which hold megabytes that no report of many models should keep.
exact::ExactResult ExactCheckForReport(const Model& model, const MaterialTable& table);

// Whether the check gave no numbers: not available or not settled.
bool ExactCheckFailed(const exact::ExactResult& result);

}  // namespace strativex
