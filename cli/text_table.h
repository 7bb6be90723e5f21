#pragma once

#include <string>
#include <vector>

namespace strativex {

enum class Alignment { Left, Right };

struct TextColumn {
    std::string Heading;
    std::string Unit;  // the second heading line
    Alignment Align = Alignment::Left;
};

using TextRow = std::vector<std::string>;

// Columns as wide as their widest UTF-8 cell, two blanks apart, no trailing blanks.
std::string TextTable(const std::vector<TextColumn>& columns, const std::vector<TextRow>& rows);

}  // namespace strativex
