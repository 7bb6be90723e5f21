#pragma once

#include "core/material_table.h"
#include "core/model.h"
#include "exact/exact_check.h"
#include "exact/exact_result.h"

namespace strativex {

// The 3-D check of a loaded model as the reports print it: without the temperature field, and
// without the pictures unless the PDF report will draw them; they hold megabytes that a report
// of many models should not keep. A check the machine has no memory for is not available, so
// that the estimate is still printed.
exact::ExactResult ExactCheckForReport(const Model& model, const MaterialTable& table,
                                       bool keepPictures, const exact::BaseCondition& base = {},
                                       const exact::CheckHooks& hooks = {},
                                       const exact::SourceArray& sources = {});

// Whether the check gave no numbers: not available or not settled.
bool ExactCheckFailed(const exact::ExactResult& result);

}  // namespace strativex
