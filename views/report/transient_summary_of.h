#pragma once

#include <optional>

#include "exact/base_condition.h"
#include "exact/transient_report.h"
#include "views/report/transient_summary.h"

namespace strativex {

// The details page's transient section for a result held with the bottom face as base says:
// nothing unless it has networks. The summary keeps a copy of the result, so that its curve can
// be drawn after the caller has let go of it.
std::optional<TransientSummary> TransientSummaryOf(const exact::TransientReport& report,
                                                   const exact::BaseCondition& base);

}  // namespace strativex
