#include "cli/text_table.h"

#include <algorithm>
#include <string_view>

namespace strativex {
namespace {

constexpr const char* kColumnGap = "  ";

std::size_t Utf8Length(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// One line appended to text, which is empty or ends with a line end.
void AppendLine(std::string& text, const std::vector<TextColumn>& columns, const TextRow& cells,
                const std::vector<std::size_t>& widths) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) text += kColumnGap;
        const std::string_view cell = c < cells.size() ? std::string_view(cells[c]) : "";
        const std::size_t blanks = widths[c] - std::min(widths[c], Utf8Length(cell));
        if (columns[c].Align == Alignment::Right) text.append(blanks, ' ');
        text += cell;
        if (columns[c].Align == Alignment::Left) text.append(blanks, ' ');
    }
    text.erase(text.find_last_not_of(' ') + 1);
    text += '\n';
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
    std::string text;
    AppendLine(text, columns, headings, widths);
    AppendLine(text, columns, units, widths);
    for (const TextRow& row : rows) AppendLine(text, columns, row, widths);
    return text;
}

}  // namespace strativex
