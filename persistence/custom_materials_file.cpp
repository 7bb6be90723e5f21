#include "persistence/custom_materials_file.h"

#include <algorithm>
#include <limits>

#include "core/material_loader.h"
#include "core/record_reader.h"
#include "core/text_file.h"
#include "persistence/record_format.h"

namespace strativex {
namespace {

bool OnlyBlanks(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// Counts what can still be known about the text after the shown records: how many records
// it holds and their largest id.
void SurveyKeptText(CustomMaterialsFile& file) {
    RecordReader reader(file.KeptText);
    while (!reader.AtEnd()) {
        const auto material = ReadCustomMaterialRecord(reader);
        if (!material) {
            file.KeptUnreadable = true;
            return;
        }
        ++file.KeptRecordCount;
        file.LargestKeptId = std::max(file.LargestKeptId, material->Id);
    }
}

}  // namespace

CustomMaterialsFile ReadCustomMaterialsFile(const std::string& path) {
    const FileRead file = ReadBoundedFile(path, kSmallFileLimit);
    return file.Content ? ParseCustomMaterials(*file.Content) : CustomMaterialsFile{};
}

CustomMaterialsFile ParseCustomMaterials(std::string_view content) {
    CustomMaterialsFile file;
    RecordReader reader(content);
    while (!reader.AtEnd() && static_cast<int>(file.Shown.size()) < kEditorMaterialLimit) {
        RecordReader before = reader;
        const auto material = ReadCustomMaterialRecord(reader);
        if (!material) {
            reader = before;
            break;
        }
        file.Shown.push_back(*material);
    }
    const std::string rest = reader.ReadRest();
    if (!OnlyBlanks(rest)) {
        file.KeptText = rest;
        SurveyKeptText(file);
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
