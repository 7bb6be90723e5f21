#pragma once

#include <string>

#include "core/material_loader.h"
#include "core/material_table.h"
#include "core/model.h"
#include "persistence/preferences.h"

namespace strativex {

// Everything the program holds for its whole run. main() creates the one instance and hands
// it to the main window and the dialogs by reference; tests build their own.
struct AppState {
    Model model;
    MaterialTable materials;
    Preferences prefs;
    ProgramFolders folders;
    // Built from the materials folder at start-up; a folder changed later takes effect at
    // the next start.
    MaterialPaths materialPaths;
    std::string CurrentModelPath;
    std::string ProgramName = "Strativex";
};

}  // namespace strativex
