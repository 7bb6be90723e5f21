#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "cli/calc_options.h"
#include "core/material_loader.h"
#include "persistence/preferences.h"

namespace strativex {

// The user's files the calculator reads, found as the window finds them at its start-up.
struct CalcInputs {
    Preferences Prefs;
    std::string PrefsPath;
    MaterialPaths Materials;
};

// The preferences (--prefs, else the window's prefs.txt) and the materials folder they name
// (--materials overrides). Nothing, with the reason on err, when a preferences file named on
// the command line cannot be read; the window's own one, missing or damaged, gives the defaults.
std::optional<CalcInputs> FindCalcInputs(const CalcOptions& options, const ProgramFolders& folders,
                                         std::ostream& err);

// The materials as the window loads them at start-up: at most 20 custom ones, with a warning
// for the records left out. False, with the reason on err, when there is no table.
bool LoadCalcMaterials(MaterialTable& table, const MaterialPaths& paths, std::ostream& err);

// The core's messages are written for message boxes, with CR LF between their lines.
std::string ShownLines(const std::string& message);

}  // namespace strativex
