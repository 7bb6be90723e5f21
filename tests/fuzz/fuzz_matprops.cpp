#include <cstddef>
#include <cstdint>
#include <string>

#include "core/material_loader.h"
#include "fuzz_checks.h"

// Any bytes as the standard materials file: the table stays within its bounds, and the
// calculation takes the fuzzed A and B of what loaded.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace strativex;
    MaterialTable table;
    const std::string content(reinterpret_cast<const char*>(data), size);
    const auto outcome =
        LoadMaterialTexts(table, MaterialPathsIn("/m"), content, std::nullopt, kStartupCustomLimit);
    if (outcome.Result != MaterialLoadOutcome::Kind::Loaded) return 0;
    fuzz::Require(table.LastLoadedIndex() < kMaterialLoadLimit);
    fuzz::CalculateWithMaterials(table, 1);
    return 0;
}
