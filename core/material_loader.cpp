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
    return {n, std::nullopt};
}

// The records a reading stopped early would still have taken.
int ReadableRecords(RecordReader reader) {
    int count = 0;
    while (!reader.AtEnd() && ReadCustomMaterialRecord(reader)) ++count;
    return count;
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
        RecordReader reader(*custom);
        bool stoppedAtLimit = false;
        while (!reader.AtEnd() && n < kMaterialLoadLimit && !stoppedAtLimit) {
            const auto material = ReadCustomMaterialRecord(reader);
            if (!material) break;
            table.Materials[n++] = *material;
            stoppedAtLimit = customLimit && n - table.FirstCustomIndex >= *customLimit;
        }
        if (n == kMaterialLoadLimit && !stoppedAtLimit && !reader.AtEnd()) {
            table.CustomCount = static_cast<std::int16_t>(n - table.FirstCustomIndex);
            return Fatal(OverflowText(n, "custom", paths.Custom));
        }
        if (stoppedAtLimit) outcome.IgnoredCustomRecords = ReadableRecords(reader);
    }
    table.CustomCount = static_cast<std::int16_t>(n - table.FirstCustomIndex);
    return outcome;
}

}  // namespace strativex
