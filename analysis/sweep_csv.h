#pragma once

#include <string>

#include "analysis/sweep_shown.h"

namespace strativex {

// The window's points as CSV, CR LF line ends: the calculator's columns, so that a script reads
// either file alike, and where the 3-D check was asked for its average and peak source
// temperatures (empty where it did not run or found no result).
std::string SweepWindowCsv(const SweepShown& shown);

}  // namespace strativex
