#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace strativex {

struct Material {
    std::string Name;
    std::int16_t Id = 0;
    float A = 0.0f;
    float B = 0.0f;
};

constexpr int kMaterialRecordCount = 251;
// Loading stops before this index: records 1..249 hold standard and custom materials together.
constexpr int kMaterialLoadLimit = 250;
constexpr int kStartupCustomLimit = 20;

struct MaterialTable {
    std::array<Material, kMaterialRecordCount> Materials{};
    std::int16_t FirstCustomIndex = 1;
    std::int16_t CustomCount = 0;

    int LastLoadedIndex() const { return FirstCustomIndex + CustomCount - 1; }
};

Material NoneSelectedMaterial();

// Index of the first loaded record with this id, in table order; 0 ("(none selected)") when
// none has it.
std::int16_t FindMaterialIndex(const MaterialTable& table, int id);

struct MaterialListEntry {
    std::string Name;
    std::int16_t Id = 0;
};

// The entries of the material list: every loaded record in table order, record 0 left out.
std::vector<MaterialListEntry> MaterialListEntries(const MaterialTable& table);

}  // namespace strativex
