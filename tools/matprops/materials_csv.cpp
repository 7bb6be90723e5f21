#include "tools/matprops/materials_csv.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "core/csv_fields.h"
#include "core/material_codec.h"
#include "core/number_conversion.h"

namespace strativex::matprops {
namespace {

// The source column, where the maintainer notes where a value comes from, is optional, so
// that what decode prints encodes again.
constexpr std::string_view kHeader = "id,name,A,B,source";
constexpr std::string_view kShortHeader = "id,name,A,B";

// Empty lines after the last are what editors add, not content.
std::vector<std::string_view> SplitLines(std::string_view content) {
    std::vector<std::string_view> lines = SplitCsvLines(content);
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

std::optional<std::string> UnplainCharFault(std::string_view column, std::string_view text) {
    for (const char c : text) {
        if (!IsPlainMaterialChar(c)) {
            return std::string(column) + " contains character code " +
                   std::to_string(static_cast<unsigned char>(c)) + ", outside 32..126";
        }
    }
    return std::nullopt;
}

std::optional<std::string> NameFault(std::string_view name) {
    if (name.empty()) return "name is empty";
    for (const char c : name) {
        // The separator of the scrambled fields, and the quote that the custom file cannot
        // carry inside a name.
        if (c == kMaterialFieldSeparator || c == '"') {
            return std::string("name contains '") + c + "'";
        }
    }
    if (auto fault = UnplainCharFault("name", name)) return fault;
    if (name.front() == ' ' || name.back() == ' ') return "name begins or ends with a blank";
    return std::nullopt;
}

std::optional<std::string> IdFault(std::string_view id) {
    if (auto fault = UnplainCharFault("id", id)) return fault;
    const auto value = ParseInt16(id);
    // Ids below 1 mean "no material" to a layer, so such a material could never be chosen.
    if (!value || *value < 1) {
        return "id '" + std::string(id) + "' is not a whole number from 1 to 32767";
    }
    return std::nullopt;
}

std::optional<std::string> CoefficientFault(std::string_view column, std::string_view text,
                                            bool mustBePositive) {
    if (auto fault = UnplainCharFault(column, text)) return fault;
    const auto value = ParseSingle(text);
    const std::string quoted = std::string(column) + " '" + std::string(text) + "'";
    if (!value) return quoted + " does not read as a 32-bit number";
    if (mustBePositive && *value <= 0.0f) return quoted + " must be greater than 0";
    return std::nullopt;
}

std::optional<std::string> RowFault(const std::vector<std::string>& fields,
                                    std::string_view header) {
    const auto columns =
        static_cast<std::size_t>(std::count(header.begin(), header.end(), ',') + 1);
    if (fields.size() != columns) {
        return "expected " + std::to_string(columns) + " fields (" + std::string(header) +
               "), found " + std::to_string(fields.size());
    }
    if (auto fault = IdFault(fields[0])) return fault;
    if (auto fault = NameFault(fields[1])) return fault;
    if (auto fault = CoefficientFault("A", fields[2], true)) return fault;
    return CoefficientFault("B", fields[3], false);
}

class CsvChecker {
public:
    CsvChecker(const std::string& label, std::string_view header)
        : label_(label), header_(header) {}

    std::optional<std::string> Check(std::string_view line, int lineNumber) {
        const auto fields = SplitCsvFields(line);
        if (!fields) {
            return Fault(lineNumber, "a quoted field is not closed or is followed by text");
        }
        if (auto fault = RowFault(*fields, header_)) return Fault(lineNumber, *fault);
        if (rows_.size() == kMaxStandardMaterials) {
            return Fault(lineNumber,
                         "more than " + std::to_string(kMaxStandardMaterials) + " materials");
        }
        const auto id = *ParseInt16((*fields)[0]);
        const auto [seen, added] = idLines_.try_emplace(id, lineNumber);
        if (!added) {
            return Fault(lineNumber, "id " + std::to_string(id) + " already used on line " +
                                         std::to_string(seen->second));
        }
        rows_.push_back({(*fields)[0], (*fields)[1], (*fields)[2], (*fields)[3]});
        return std::nullopt;
    }

    std::string Fault(int lineNumber, const std::string& text) const {
        return label_ + " line " + std::to_string(lineNumber) + ": " + text;
    }

    std::vector<MaterialRow> TakeRows() { return std::move(rows_); }

private:
    const std::string& label_;
    std::string_view header_;
    std::vector<MaterialRow> rows_;
    std::map<std::int16_t, int> idLines_;
};

std::string NumberText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

}  // namespace

MaterialsCsv ReadMaterialsCsv(std::string_view content, const std::string& label) {
    const auto lines = SplitLines(content);
    const std::string_view header = lines.empty() ? std::string_view() : lines[0];
    CsvChecker checker(label, header);
    if (header != kHeader && header != kShortHeader) {
        return {{},
                checker.Fault(1, "expected the header " + std::string(kHeader) + " or " +
                                     std::string(kShortHeader))};
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (auto fault = checker.Check(lines[i], static_cast<int>(i) + 1)) return {{}, fault};
    }
    std::vector<MaterialRow> rows = checker.TakeRows();
    // The program refuses a standard file without a material, so none may be written.
    if (rows.empty()) return {{}, checker.Fault(2, "no material below the header")};
    return {std::move(rows), std::nullopt};
}

std::string StandardMaterialsCsv(const MaterialTable& table) {
    std::string csv = "id,name,A,B\n";
    for (int i = 1; i < table.FirstCustomIndex; ++i) {
        const Material& m = table.Materials[i];
        csv += std::to_string(m.Id) + "," + QuoteCsvField(m.Name) + "," + NumberText(m.A) + "," +
               NumberText(m.B) + "\n";
    }
    return csv;
}

}  // namespace strativex::matprops
