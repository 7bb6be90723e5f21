#pragma once

#include <optional>
#include <string>

#include "exact/base_condition.h"

namespace strativex {

// Whether the option names a base condition of the 3-D check: --base-h or --sink-r.
bool IsBaseOption(const std::string& name);

// Stores the option's value in `base`; the text of the usage error when the value is no
// positive number or a base condition was given already.
std::optional<std::string> ApplyBaseOption(exact::BaseCondition& base, const std::string& name,
                                           const std::string& value);

}  // namespace strativex
