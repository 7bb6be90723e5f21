#include "core/heat_capacity_file.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <set>

#include "core/csv_fields.h"
#include "core/number_conversion.h"
#include "core/text_file.h"

namespace strativex {
namespace {

constexpr std::size_t kColumns = 5;
constexpr const char* kColumnNames[kColumns] = {"id", "name", "density_kg_m3",
                                                "specific_heat_j_per_kg_k", "source"};

using Fault = std::optional<HeatCapacityProblem>;

Fault ProblemAt(int line, std::size_t column, std::string text) {
    return HeatCapacityProblem{line, kColumnNames[column], std::move(text)};
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// Only a finite value above zero is a heat capacity; zero would make a layer store nothing.
Fault ReadPositive(const std::string& text, int line, std::size_t column, double& value) {
    const auto parsed = ParseDecimal(text);
    if (!parsed || !std::isfinite(*parsed)) {
        return ProblemAt(line, column, Quoted(text) + " is not a number");
    }
    if (*parsed <= 0.0) return ProblemAt(line, column, Quoted(text) + " must be greater than 0");
    value = *parsed;
    return std::nullopt;
}

Fault ReadRow(const std::vector<std::string>& fields, int line, HeatCapacity& row) {
    if (fields.size() != kColumns) {
        return HeatCapacityProblem{line, "row",
                                   "expected 5 fields, found " + std::to_string(fields.size())};
    }
    const auto id = ParseInt16(fields[0]);
    if (!id || *id < 1) {
        return ProblemAt(line, 0, Quoted(fields[0]) + " is not a whole number from 1 to 32767");
    }
    if (fields[1].empty()) return ProblemAt(line, 1, "the name is empty");
    row.Id = *id;
    row.Name = fields[1];
    row.Source = fields[4];
    if (auto fault = ReadPositive(fields[2], line, 2, row.Density)) return fault;
    if (auto fault = ReadPositive(fields[3], line, 3, row.SpecificHeat)) return fault;
    // Each may be a number while their product, the heat capacity, is beyond any.
    if (!std::isfinite(row.Volumetric())) {
        return ProblemAt(line, 3, "'" + fields[3] + "' times the density is not a number");
    }
    return std::nullopt;
}

Fault ReadLine(std::string_view text, int line, HeatCapacity& row) {
    const auto fields = SplitCsvFields(text);
    if (!fields) {
        return HeatCapacityProblem{line, "row",
                                   "a quoted field is not closed or is followed by text"};
    }
    return ReadRow(*fields, line, row);
}

std::string NumberText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::string HeatCapacityPathIn(const std::string& materialsFolder) {
    return materialsFolder + "/" + kHeatCapacityFileName;
}

HeatCapacityTable ParseHeatCapacities(std::string_view content) {
    HeatCapacityTable table;
    const auto lines = SplitCsvLines(content);
    if (lines.empty() || lines[0] != kHeatCapacityHeader) {
        table.FileProblem = "line 1 is not the header " + std::string(kHeatCapacityHeader);
        return table;
    }
    std::set<int> seen;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        const int line = static_cast<int>(i) + 1;
        HeatCapacity row;
        if (auto fault = ReadLine(lines[i], line, row)) {
            table.Problems.push_back(std::move(*fault));
        } else if (!seen.insert(row.Id).second) {
            table.Problems.push_back(
                {line, "id", "id " + std::to_string(row.Id) + " already has a row above"});
        } else {
            table.Rows.push_back(std::move(row));
        }
    }
    return table;
}

HeatCapacityTable LoadHeatCapacities(const std::string& path) {
    const FileRead read = ReadBoundedFile(path, kSmallFileLimit);
    if (!read.Content) {
        HeatCapacityTable table;
        table.FileProblem = read.Problem;
        return table;
    }
    return ParseHeatCapacities(*read.Content);
}

std::string HeatCapacityLine(const HeatCapacity& row) {
    return std::to_string(row.Id) + "," + QuoteCsvField(row.Name) + "," + NumberText(row.Density) +
           "," + NumberText(row.SpecificHeat) + "," + QuoteCsvField(row.Source);
}

std::string MergeHeatCapacities(std::string_view original, const std::vector<HeatCapacity>& rows,
                                const std::vector<int>& removedIds) {
    const std::string end = original.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    auto lines = SplitCsvLines(original);
    // A file without its header gets one, and its first line is kept as a row.
    if (lines.empty() || lines[0] != kHeatCapacityHeader) {
        lines.insert(lines.begin(), kHeatCapacityHeader);
    }
    std::string text = std::string(lines[0]) + end;
    // Only the line the loader takes an id's row from is replaced; the readable lines of a
    // removed id go, lest a repeat of it come back. Unreadable lines, which never load, stay
    // for the user to mend.
    std::set<int> taken;
    std::set<int> written;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        HeatCapacity read;
        const bool readable = !ReadLine(lines[i], static_cast<int>(i) + 1, read).has_value();
        const bool takes = readable && taken.insert(read.Id).second;
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const HeatCapacity& entry) {
            return takes && entry.Id == read.Id;
        });
        const bool removed = readable && std::find(removedIds.begin(), removedIds.end(), read.Id) !=
                                             removedIds.end();
        if (row != rows.end()) {
            written.insert(row->Id);
            text += HeatCapacityLine(*row) + end;
        } else if (!removed) {
            text += std::string(lines[i]) + end;
        }
    }
    for (const HeatCapacity& row : rows) {
        if (written.insert(row.Id).second) text += HeatCapacityLine(row) + end;
    }
    return text;
}

}  // namespace strativex
