#include <cstddef>
#include <cstdint>
#include <string>

#include "core/material_codec.h"
#include "core/material_loader.h"

// Any bytes as the custom materials file, after a standard file of one material.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strativex;
    MaterialTable table;
    static const std::string standard = [] {
        int key = 0;
        std::string text = EncodeMaterialLine({"header", "", "", ""}, key) + "\r\n";
        return text + EncodeMaterialLine({"1", "Cu", "3.9", "0"}, key) + "\r\n";
    }();
    const std::string content(reinterpret_cast<const char*>(data), size);
    const auto outcome =
        LoadMaterialTexts(table, MaterialPathsIn("/m"), standard, content, std::nullopt);
    if (outcome.Result == MaterialLoadOutcome::Kind::Loaded &&
        (table.FirstCustomIndex != 2 || table.LastLoadedIndex() >= kMaterialLoadLimit)) {
        __builtin_trap();
    }
    return 0;
}
