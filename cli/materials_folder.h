#pragma once

#include <string>

namespace strativex {

// The running executable's folder. argv0 serves when the system cannot name the executable
// itself.
std::string ProgramFolderOf(const std::string& argv0);
// The first Materials folder holding a standard materials file: beside the program, the
// user's data folder, the installed data folder; the one beside the program when none does.
std::string DefaultMaterialsFolder(const std::string& argv0);

}  // namespace strativex
