#include "cli/text_table.h"

#include <algorithm>

namespace strativex {
namespace {

constexpr const char* kColumnGap = "  ";

std::size_t Utf8Length(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string Padded(const std::string& text, std::size_t width, Alignment align) {
    const std::string blanks(width - std::min(width, Utf8Length(text)), ' ');
    return align == Alignment::Left ? text + blanks : blanks + text;
}

std::string Line(const std::vector<TextColumn>& columns, const TextRow& cells,
                 const std::vector<std::size_t>& widths) {
    std::string line;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) line += kColumnGap;
        const std::string cell = c < cells.size() ? cells[c] : std::string();
        line += Padded(cell, widths[c], columns[c].Align);
    }
    line.erase(line.find_last_not_of(' ') + 1);
    return line + "\n";
}

}  // namespace

std::string TextTable(const std::vector<TextColumn>& columns, const std::vector<TextRow>& rows) {
    std::vector<std::size_t> widths;
    TextRow headings;
    TextRow units;
    for (const TextColumn& column : columns) {
        widths.push_back(std::max(Utf8Length(column.Heading), Utf8Length(column.Unit)));
        headings.push_back(column.Heading);
        units.push_back(column.Unit);
    }
    for (const TextRow& row : rows) {
        for (std::size_t c = 0; c < std::min(row.size(), widths.size()); ++c) {
            widths[c] = std::max(widths[c], Utf8Length(row[c]));
        }
    }
    std::string text = Line(columns, headings, widths) + Line(columns, units, widths);
    for (const TextRow& row : rows) text += Line(columns, row, widths);
    return text;
}

}  // namespace strativex
