#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/material_table.h"

namespace strativex::matprops {

// One standard material as the maintainer wrote it. The numbers keep their text so that the
// scrambled file holds exactly what was reviewed in the table.
struct MaterialRow {
    std::string Id;
    std::string Name;
    std::string A;
    std::string B;
};

struct MaterialsCsv {
    std::vector<MaterialRow> Rows;
    std::optional<std::string> Error;  // the first fault, naming label and line; rows then empty
};

// The loader fills at most records 1..249, so a longer standard file could never be read.
inline constexpr int kMaxStandardMaterials = kMaterialLoadLimit - 1;

// Reads the table "id,name,A,B,source" or "id,name,A,B" (line 1 the header, as decode prints
// it) and refuses anything the program could not load back unchanged.
MaterialsCsv ReadMaterialsCsv(std::string_view content, const std::string& label);

// The standard materials of a loaded table as "id,name,A,B" lines after a header line, with
// each number written in the shortest text that reads back to the same 32-bit value.
std::string StandardMaterialsCsv(const MaterialTable& table);

}  // namespace strativex::matprops
