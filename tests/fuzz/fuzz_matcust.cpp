#include <cstddef>
#include <cstdint>
#include <string>

#include "core/material_codec.h"
#include "core/material_loader.h"
#include "fuzz_checks.h"
#include "persistence/custom_materials_file.h"

namespace {

using namespace strativex;

// What the editor writes reads back to the same materials and writes again unchanged.
void EditorRoundTrip(const std::string& content) {
    const CustomMaterialsFile first = ParseCustomMaterials(content);
    const std::string written = CustomMaterialsText(first);
    const CustomMaterialsFile second = ParseCustomMaterials(written);
    fuzz::Require(second.Shown.size() == first.Shown.size());
    for (std::size_t i = 0; i < first.Shown.size(); ++i) {
        const Material& a = first.Shown[i];
        const Material& b = second.Shown[i];
        fuzz::Require(a.Name == b.Name && a.Id == b.Id);
        fuzz::Require(fuzz::SameInFile(a.A, b.A) && fuzz::SameInFile(a.B, b.B));
    }
    fuzz::Require(CustomMaterialsText(second) ==
                  CustomMaterialsText(ParseCustomMaterials(CustomMaterialsText(second))));
}

}  // namespace

// Any bytes as the custom materials file, after a standard file of one material.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string standard = [] {
        int key = 0;
        std::string text = EncodeMaterialLine({"header", "", "", ""}, key) + "\r\n";
        return text + EncodeMaterialLine({"1", "Cu", "3.9", "0"}, key) + "\r\n";
    }();
    const std::string content(reinterpret_cast<const char*>(data), size);
    EditorRoundTrip(content);
    MaterialTable table;
    const auto outcome =
        LoadMaterialTexts(table, MaterialPathsIn("/m"), standard, content, std::nullopt);
    if (outcome.Result != MaterialLoadOutcome::Kind::Loaded) return 0;
    fuzz::Require(table.FirstCustomIndex == 2 && table.LastLoadedIndex() < kMaterialLoadLimit);
    fuzz::CalculateWithMaterials(table, table.FirstCustomIndex);
    return 0;
}
