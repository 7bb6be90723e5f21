#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "cli/calc_options.h"
#include "cli/loaded_model.h"
#include "core/material_table.h"
#include "persistence/preferences.h"

namespace strativex {

// Writes the report of a loaded model with the user's preferences; false, with the reason on
// err, when it cannot.
using ReportWriter = std::function<bool(const LoadedModel& model, const MaterialTable& table,
                                        const Preferences& prefs, std::ostream& err)>;

// Finds the user's files as the window does (folders: where this copy keeps them), loads the
// materials and every model, prints the results to out and the problems to err, and returns
// the exit status. With a report requested, writeReport writes it for the one model.
int RunCalculator(const CalcOptions& options, const ProgramFolders& folders, std::ostream& out,
                  std::ostream& err, const ReportWriter& writeReport = {});

}  // namespace strativex
