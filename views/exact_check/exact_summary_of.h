#pragma once

#include <optional>

#include "core/model.h"
#include "exact/exact_result.h"
#include "views/exact_check/exact_summary.h"

namespace strativex {

// The details page's summary of a result: nothing unless it is Ok; its map the part around the
// heat source, or no map where the result holds no cross-section. The summary keeps a copy of
// the result, so that its map can be drawn after the caller has let go of it.
std::optional<ExactCheckSummary> SummaryOf(const exact::ExactResult& result, LengthUnit unit);

}  // namespace strativex
