#include "views/report/page_table.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include "views/surface/cut_to_width.h"

namespace strativex {
namespace {

// Padding on each side of a cell, and the space a flexible column keeps at the least, as
// shares of the line height and of the table's width.
constexpr double kPaddingShare = 0.3;
constexpr double kFlexibleShare = 1.0 / 6.0;
constexpr double kSlack = 1.0;

double WidestLine(const DrawingSurface& surface, const QString& text) {
    double widest = 0.0;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, surface.TextWidth(line));
    }
    return widest;
}

std::vector<double> NaturalWidths(DrawingSurface& surface, const PageTableTexts& table,
                                  double padding) {
    std::vector<double> widths(static_cast<std::size_t>(table.Headings.size()), 0.0);
    surface.SetFontBold(true);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        widths[c] = WidestLine(surface, table.Headings[static_cast<qsizetype>(c)]);
    }
    surface.SetFontBold(false);
    for (const QStringList& row : table.Rows) {
        for (std::size_t c = 0; c < widths.size() && c < static_cast<std::size_t>(row.size());
             ++c) {
            widths[c] = std::max(widths[c], surface.TextWidth(row[static_cast<qsizetype>(c)]));
        }
    }
    // The slack keeps a text measured to fit from being cut by the rounding of the sums.
    for (double& w : widths) w += 2.0 * padding + kSlack;
    return widths;
}

// The flexible column takes what the others leave; when they leave too little, every
// column gives up the same share of its width.
std::vector<double> FittedWidths(std::vector<double> widths, std::size_t flexible, double width) {
    const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
    if (widths.empty() || !(total > 0.0)) return widths;
    const double others = total - widths[flexible];
    const double least = std::min(widths[flexible], width * kFlexibleShare);
    if (others + least <= width) {
        widths[flexible] = width - others;
        return widths;
    }
    for (double& w : widths) w *= width / total;
    return widths;
}

struct TableGeometry {
    std::vector<double> Left;  // of each column
    std::vector<double> Width;
    double Padding = 0.0;
    double LineHeight = 0.0;
};

bool IsTextColumn(const PageTableTexts& table, std::size_t column) {
    return std::find(table.TextColumns.begin(), table.TextColumns.end(),
                     static_cast<int>(column)) != table.TextColumns.end();
}

void PrintCell(DrawingSurface& surface, const TableGeometry& g, const PageTableTexts& table,
               std::size_t column, double y, const QString& text) {
    const QString shown = ElideToWidth(surface, text, g.Width[column] - 2.0 * g.Padding);
    const double x = IsTextColumn(table, column)
                         ? g.Left[column] + g.Padding
                         : g.Left[column] + g.Width[column] - g.Padding - surface.TextWidth(shown);
    surface.SetCurrent(x, y);
    surface.Print(shown);
}

qsizetype HeadingLineCount(const PageTableTexts& table) {
    qsizetype lines = 1;
    for (const QString& heading : table.Headings) lines = std::max(lines, heading.count('\n') + 1);
    return lines;
}

double DrawHeadings(DrawingSurface& surface, const TableGeometry& g, const PageTableTexts& table,
                    double top) {
    surface.SetFontBold(true);
    const qsizetype lines = HeadingLineCount(table);
    for (std::size_t c = 0; c < g.Width.size(); ++c) {
        const QStringList parts = table.Headings[static_cast<qsizetype>(c)].split('\n');
        // Single-line headings sit on the lower line, beside the units of the others.
        const qsizetype first = lines - parts.size();
        for (qsizetype k = 0; k < parts.size(); ++k) {
            PrintCell(surface, g, table, c, top + (first + k) * g.LineHeight, parts[k]);
        }
    }
    surface.SetFontBold(false);
    return top + lines * g.LineHeight;
}

}  // namespace

double DrawPageTable(DrawingSurface& surface, const PageTableTexts& table, double left, double top,
                     double width) {
    if (table.Headings.isEmpty()) return top;
    TableGeometry g;
    g.LineHeight = surface.TextHeight();
    g.Padding = g.LineHeight * kPaddingShare;
    const auto flexible = static_cast<std::size_t>(
        std::clamp<qsizetype>(table.FlexibleColumn, 0, table.Headings.size() - 1));
    g.Width = FittedWidths(NaturalWidths(surface, table, g.Padding), flexible, width);
    double x = left;
    for (const double w : g.Width) {
        g.Left.push_back(x);
        x += w;
    }
    surface.Line(left, top, width, 0);
    double y = DrawHeadings(surface, g, table, top + g.Padding);
    surface.Line(left, y + g.Padding / 2, width, 0);
    y += g.Padding;
    for (const QStringList& row : table.Rows) {
        for (std::size_t c = 0; c < g.Width.size() && c < static_cast<std::size_t>(row.size());
             ++c) {
            PrintCell(surface, g, table, c, y, row[static_cast<qsizetype>(c)]);
        }
        y += g.LineHeight;
    }
    surface.Line(left, y + g.Padding / 2, width, 0);
    return y + g.Padding;
}

}  // namespace strativex
