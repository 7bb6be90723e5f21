#pragma once

#include <optional>
#include <string>

#include "cli/calc_options.h"

namespace strativex {

// Whether the option takes a value for the transient: --stages or --spice.
bool IsTransientOption(const std::string& name);

// Stores the option's value; the text of the usage error when the value is wrong.
std::optional<std::string> ApplyTransientOption(CalcOptions& options, const std::string& name,
                                                const std::string& value);

// The usage error of options that mean nothing together, once all are read.
std::optional<std::string> TransientOptionsProblem(const CalcOptions& options);

}  // namespace strativex
