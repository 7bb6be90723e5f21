#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/material_table.h"

// One line of the custom materials file as the loader takes it: a material, or why the line
// holds none. A line is read on its own, so that one bad line costs only itself.
namespace strativex {

struct CustomLineRead {
    std::optional<Material> Record;
    std::string Problem;  // for a line without a material: "A 'abc' is not a number", ...
};

// A line of only blanks is neither a material nor a problem.
bool IsBlankLine(std::string_view line);

CustomLineRead ReadCustomMaterialLine(std::string_view line);

// Why a line's material cannot be taken though it reads: its id is a standard material's, or
// an earlier line's.
std::string StandardIdText(std::int16_t id, const std::string& standardName);
std::string UsedIdText(std::int16_t id, int line);

// A line the loader left out, with its number in the file (the first line is 1).
struct SkippedCustomLine {
    int Line = 0;
    std::string Reason;
};

// "line 3: A 'abc' is not a number"
std::string SkippedLineText(const SkippedCustomLine& skipped);

}  // namespace strativex
