#pragma once

#include <ostream>
#include <string>

#include "cli/calc_options.h"

namespace strativex {

// Loads the materials and every model, prints the results to out and the problems to err, and
// returns the exit status.
int RunCalculator(const CalcOptions& options, const std::string& defaultMaterialsFolder,
                  std::ostream& out, std::ostream& err);

}  // namespace strativex
