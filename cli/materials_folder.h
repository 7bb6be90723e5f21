#pragma once

#include <string>

namespace strativex {

// The "Materials" folder beside the running executable. argv0 serves when the system cannot
// name the executable itself.
std::string DefaultMaterialsFolder(const std::string& argv0);

}  // namespace strativex
