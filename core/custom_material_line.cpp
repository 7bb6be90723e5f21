#include "core/custom_material_line.h"

#include <algorithm>
#include <array>

#include "core/number_conversion.h"
#include "core/record_reader.h"

namespace strativex {
namespace {

constexpr int kFieldCount = 4;

std::string NumberProblem(const char* field, const std::string& text) {
    return std::string(field) + " '" + text + "' is not a number";
}

std::optional<std::string> FieldProblem(const std::array<std::string, kFieldCount>& fields) {
    if (!ParseInt16(fields[0])) {
        return "id '" + fields[0] + "' is not a whole number from -32768 to 32767";
    }
    if (!ParseSingle(fields[2])) return NumberProblem("A", fields[2]);
    if (!ParseSingle(fields[3])) return NumberProblem("B", fields[3]);
    return std::nullopt;
}

}  // namespace

bool IsBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

CustomLineRead ReadCustomMaterialLine(std::string_view line) {
    RecordReader reader(line);
    std::array<std::string, kFieldCount> fields;
    for (std::string& field : fields) {
        const auto read = reader.ReadField();
        if (!read) return {std::nullopt, "not four fields: id, \"name\", A, B"};
        field = *read;
    }
    if (!reader.AtEnd()) return {std::nullopt, "more than four fields"};
    if (auto problem = FieldProblem(fields)) return {std::nullopt, *problem};
    // A quote in an unquoted name would cut the name short at the editor's next save.
    std::erase(fields[1], '"');
    return {Material{fields[1], *ParseInt16(fields[0]), *ParseSingle(fields[2]),
                     *ParseSingle(fields[3])},
            {}};
}

std::string StandardIdText(std::int16_t id, const std::string& standardName) {
    return "id " + std::to_string(id) + " is the standard material " + standardName + "'s";
}

std::string UsedIdText(std::int16_t id, int line) {
    return "id " + std::to_string(id) + " already used on line " + std::to_string(line);
}

std::string SkippedLineText(const SkippedCustomLine& skipped) {
    return "line " + std::to_string(skipped.Line) + ": " + skipped.Reason;
}

}  // namespace strativex
