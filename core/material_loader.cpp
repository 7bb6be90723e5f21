#include "core/material_loader.h"

#include "core/material_codec.h"
#include "core/number_conversion.h"
#include "core/record_reader.h"
#include "core/text_file.h"

namespace strativex {
namespace {

std::string StandardFileError(const std::string& path) {
    return "Error reading standard materials data file\r\n'" + path + "'";
}

MaterialLoadOutcome Outcome(MaterialLoadOutcome::Kind kind, std::string fatalText = {}) {
    MaterialLoadOutcome outcome;
    outcome.Result = kind;
    outcome.FatalText = std::move(fatalText);
    return outcome;
}

MaterialLoadOutcome Fatal(std::string text) {
    return Outcome(MaterialLoadOutcome::Kind::Fatal, std::move(text));
}

std::string OverflowText(int n, const std::string& which, const std::string& path) {
    return std::to_string(n) + " out of a maximum " + std::to_string(kMaterialLoadLimit) +
           " materials loaded" + " without reaching end of " + which + " materials file \r\n" +
           path;
}

std::optional<Material> ToMaterial(const std::string& id, const std::string& name,
                                   const std::string& a, const std::string& b) {
    const auto parsedId = ParseInt16(id);
    const auto parsedA = ParseSingle(a);
    const auto parsedB = ParseSingle(b);
    if (!parsedId || !parsedA || !parsedB) return std::nullopt;
    return Material{name, *parsedId, *parsedA, *parsedB};
}

// Returns the number of records filled (the index of the next one), or the fatal text.
struct StandardResult {
    int Next = 0;
    std::optional<std::string> FatalText;
};

StandardResult ReadStandard(MaterialTable& table, const std::string& content,
                            const std::string& path) {
    RecordReader reader(content);
    int n = 0;
    int keyPosition = 0;
    const auto lineError = [&path](int line) {
        return StandardFileError(path) + " line " + std::to_string(line);
    };
    // A file without even its header line is as damaged as one with a bad header.
    if (reader.AtEnd()) return {0, lineError(0)};
    while (!reader.AtEnd() && n < kMaterialLoadLimit) {
        const auto line = reader.ReadLine();
        const auto fields = DecodeMaterialLine(*line, keyPosition);
        if (!fields) return {n, lineError(n)};
        if (n > 0) {
            const auto& f = *fields;
            const auto material = ToMaterial(f[0], f[1], f[2], f[3]);
            if (!material) return {n, lineError(n)};
            table.Materials[n] = *material;
        }
        ++n;
    }
    if (n == kMaterialLoadLimit && !reader.AtEnd()) {
        return {n, OverflowText(n, "standard", path)};
    }
    // Every line is written whole with its line end: a file that stops inside one was cut short,
    // and one without a material would let every layer pass for calculated.
    if (content.back() != '\n') return {n, lineError(n - 1)};
    if (n < 2) return {n, lineError(n)};
    return {n, std::nullopt};
}

// Where an id is in use already: the standard material that has it, or the custom line.
std::optional<std::string> IdInUse(const MaterialTable& table, int n, std::int16_t id,
                                   const std::vector<int>& lineOfIndex) {
    const std::int16_t index = FindMaterialIndex(table, id);
    if (index == 0 || index >= n) return std::nullopt;
    if (index < table.FirstCustomIndex) return StandardIdText(id, table.Materials[index].Name);
    return UsedIdText(id, lineOfIndex[index - table.FirstCustomIndex]);
}

// Fills the table from index n on with the custom file's materials; the fatal text when they
// do not fit. A line that holds no material, or one whose id a material before it has, is
// left out and named, so that one bad line costs no other.
std::optional<std::string> ReadCustom(MaterialTable& table, int& n, const std::string& content,
                                      std::optional<int> customLimit, const std::string& path,
                                      MaterialLoadOutcome& outcome) {
    RecordReader reader(content);
    std::vector<int> lineOfIndex;
    for (int line = 1; !reader.AtEnd(); ++line) {
        const std::string text = *reader.ReadLine();
        if (IsBlankLine(text)) continue;
        CustomLineRead read = ReadCustomMaterialLine(text);
        if (read.Record) {
            if (auto used = IdInUse(table, n, read.Record->Id, lineOfIndex)) read.Problem = *used;
        }
        if (!read.Problem.empty()) {
            outcome.SkippedCustomLines.push_back({line, read.Problem});
        } else if (customLimit && n - table.FirstCustomIndex >= *customLimit) {
            ++outcome.IgnoredCustomRecords;
        } else if (n == kMaterialLoadLimit) {
            return OverflowText(n, "custom", path);
        } else {
            table.Materials[n] = *read.Record;
            table.CustomCount = static_cast<std::int16_t>(++n - table.FirstCustomIndex);
            lineOfIndex.push_back(line);
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<Material> ReadCustomMaterialRecord(RecordReader& reader) {
    const auto id = reader.ReadField();
    const auto name = reader.ReadField();
    const auto a = reader.ReadField();
    const auto b = reader.ReadField();
    if (!id || !name || !a || !b) return std::nullopt;
    // A quote in an unquoted name would cut the name short at the editor's next save.
    std::string plainName = *name;
    std::erase(plainName, '"');
    return ToMaterial(*id, plainName, *a, *b);
}

MaterialPaths MaterialPathsIn(const std::string& materialsFolder) {
    return {materialsFolder + "/matprops.dat", materialsFolder + "/matcust.dat"};
}

std::string StandardFileMissingText(const std::string& standardPath) {
    return "Unable to find standard materials data file\r\n'" + standardPath +
           "'\r\nLook for file in a different location?\r\n"
           "(Click OK to browse for file, Cancel to exit program)";
}

MaterialLoadOutcome LoadMaterials(MaterialTable& table, const MaterialPaths& paths,
                                  std::optional<int> customLimit) {
    const FileRead standard = ReadBoundedFile(paths.Standard, kSmallFileLimit);
    // Offering to look elsewhere would misreport a file that is there but cannot be read.
    if (!standard.Content && !standard.Absent) {
        return Fatal(StandardFileError(paths.Standard) + ": " + standard.Problem);
    }
    const FileRead custom = ReadBoundedFile(paths.Custom, kSmallFileLimit);
    MaterialLoadOutcome outcome =
        LoadMaterialTexts(table, paths, standard.Content, custom.Content, customLimit);
    if (!custom.Content && !custom.Absent) outcome.CustomFileProblem = custom.Problem;
    return outcome;
}

MaterialLoadOutcome LoadMaterialTexts(MaterialTable& table, const MaterialPaths& paths,
                                      const std::optional<std::string>& standard,
                                      const std::optional<std::string>& custom,
                                      std::optional<int> customLimit) {
    table.Materials[0] = NoneSelectedMaterial();
    table.FirstCustomIndex = 1;
    table.CustomCount = 0;

    if (!standard) return Outcome(MaterialLoadOutcome::Kind::StandardFileMissing);
    const StandardResult result = ReadStandard(table, *standard, paths.Standard);
    if (result.FatalText) return Fatal(*result.FatalText);

    int n = result.Next;
    table.FirstCustomIndex = static_cast<std::int16_t>(n);
    MaterialLoadOutcome outcome;
    if (custom) {
        if (auto overflow = ReadCustom(table, n, *custom, customLimit, paths.Custom, outcome)) {
            return Fatal(*overflow);
        }
    }
    return outcome;
}

}  // namespace strativex
