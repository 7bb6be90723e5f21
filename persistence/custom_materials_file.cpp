#include "persistence/custom_materials_file.h"

#include <algorithm>
#include <limits>
#include <map>

#include "core/record_reader.h"
#include "core/text_file.h"
#include "persistence/record_format.h"

namespace strativex {
namespace {

// Why a line that reads cannot be taken: the loader would refuse its id.
std::optional<std::string> IdTaken(const MaterialTable& standard,
                                   const std::map<std::int16_t, int>& lineOfId, std::int16_t id) {
    for (int i = 1; i < standard.FirstCustomIndex; ++i) {
        if (standard.Materials[i].Id == id) return StandardIdText(id, standard.Materials[i].Name);
    }
    const auto used = lineOfId.find(id);
    if (used != lineOfId.end()) return UsedIdText(id, used->second);
    return std::nullopt;
}

void Keep(CustomMaterialsFile& file, const std::string& rawLine, const CustomLineRead& read) {
    file.KeptText += rawLine;
    if (read.Record) file.LargestKeptId = std::max(file.LargestKeptId, read.Record->Id);
}

}  // namespace

CustomMaterialsFile ReadCustomMaterialsFile(const std::string& path,
                                            const MaterialTable& standard) {
    const FileRead file = ReadBoundedFile(path, kSmallFileLimit);
    return file.Content ? ParseCustomMaterials(*file.Content, standard) : CustomMaterialsFile{};
}

// Line by line, as the loader reads it, so that one bad line hides no other.
CustomMaterialsFile ParseCustomMaterials(std::string_view content, const MaterialTable& standard) {
    CustomMaterialsFile file;
    std::map<std::int16_t, int> lineOfId;
    RecordReader reader(content);
    for (int line = 1; !reader.AtEnd(); ++line) {
        const std::string raw = *reader.ReadRawLine();
        const std::string text = RecordReader(raw).ReadLine().value_or("");
        if (IsBlankLine(text)) continue;
        CustomLineRead read = ReadCustomMaterialLine(text);
        if (read.Record) {
            if (auto taken = IdTaken(standard, lineOfId, read.Record->Id)) read.Problem = *taken;
        }
        if (!read.Problem.empty()) {
            file.Skipped.push_back({line, read.Problem});
            Keep(file, raw, read);
            continue;
        }
        lineOfId.emplace(read.Record->Id, line);
        if (static_cast<int>(file.Shown.size()) < kEditorMaterialLimit) {
            file.Shown.push_back(*read.Record);
        } else {
            ++file.KeptRecordCount;
            Keep(file, raw, read);
        }
    }
    return file;
}

std::optional<std::int16_t> NextCustomId(const CustomMaterialsFile& file,
                                         const std::vector<std::int16_t>& standardIds) {
    int id = file.LargestKeptId;
    for (const Material& material : file.Shown) id = std::max<int>(id, material.Id);
    // A standard material with the same id would hide the new one from every lookup.
    do {
        ++id;
    } while (std::find(standardIds.begin(), standardIds.end(), id) != standardIds.end());
    if (id > std::numeric_limits<std::int16_t>::max()) return std::nullopt;
    return static_cast<std::int16_t>(id);
}

std::string CustomMaterialsText(const CustomMaterialsFile& file) {
    std::string text;
    for (const Material& material : file.Shown) {
        text += std::to_string(material.Id) + "," + QuotedField(material.Name) + "," +
                FileNumberText(material.A) + "," + FileNumberText(material.B) +
                std::string(kLineEnd);
    }
    return text + file.KeptText;
}

SafeWriteResult WriteCustomMaterialsFile(const std::string& path, const CustomMaterialsFile& file) {
    return SafeWriteFile(path, CustomMaterialsText(file));
}

}  // namespace strativex
