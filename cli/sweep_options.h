#pragma once

#include <optional>
#include <string>

#include "cli/calc_options.h"

namespace strativex {

// The sweep's options as typed: --sweep QUANTITY=FROM:TO:STEPS (material=A,B,C), --layer N,
// --log.
struct SweepArguments {
    std::optional<std::string> Definition;
    std::optional<std::string> Layer;
    bool Logarithmic = false;
};

// Reads the sweep into options.Sweep; the usage error when it is malformed, asks for something
// no model allows, or does not fit the other options.
std::optional<std::string> ApplySweepArguments(CalcOptions& options, const SweepArguments& sweep);

}  // namespace strativex
