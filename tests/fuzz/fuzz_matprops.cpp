#include <cstddef>
#include <cstdint>
#include <string>

#include "core/material_loader.h"

// Any bytes as the standard materials file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strativex;
    MaterialTable table;
    const std::string content(reinterpret_cast<const char*>(data), size);
    const auto outcome =
        LoadMaterialTexts(table, MaterialPathsIn("/m"), content, std::nullopt, kStartupCustomLimit);
    if (outcome.Result == MaterialLoadOutcome::Kind::Loaded &&
        table.LastLoadedIndex() >= kMaterialLoadLimit) {
        __builtin_trap();
    }
    return 0;
}
