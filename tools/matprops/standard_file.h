#pragma once

#include <string>
#include <vector>

#include "tools/matprops/materials_csv.h"

namespace strativex::matprops {

// The whole scrambled standard materials file: a header line, then one line per row, each
// ended by CR LF, with the key running on from the first character of the file.
std::string EncodeStandardFile(const std::vector<MaterialRow>& rows);

}  // namespace strativex::matprops
