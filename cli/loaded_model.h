#pragma once

#include <optional>
#include <string>

#include <vector>

#include "cli/transient_report.h"
#include "core/model.h"
#include "core/model_range_check.h"
#include "exact/exact_result.h"

namespace strativex {

// A model read from a file and recalculated, with the path it was named by.
struct LoadedModel {
    std::string Path;
    Model Data;
    std::optional<exact::ExactResult> Exact;          // when the 3-D check was asked for
    std::optional<exact::TransientReport> Transient;  // when the transient was asked for
    std::vector<OutOfRangeValue> OutOfRange;          // values the window would refuse
};

}  // namespace strativex
