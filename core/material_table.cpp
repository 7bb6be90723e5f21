#include "core/material_table.h"

namespace strativex {

Material NoneSelectedMaterial() {
    return Material{"(none selected)", 0, 0.0f, 0.0f};
}

std::int16_t FindMaterialIndex(const MaterialTable& table, int id) {
    for (int i = 1; i <= table.LastLoadedIndex(); ++i) {
        if (table.Materials[i].Id == id) return static_cast<std::int16_t>(i);
    }
    return 0;
}

std::vector<MaterialListEntry> MaterialListEntries(const MaterialTable& table) {
    std::vector<MaterialListEntry> entries;
    for (int i = 1; i <= table.LastLoadedIndex(); ++i) {
        entries.push_back({table.Materials[i].Name, table.Materials[i].Id});
    }
    return entries;
}

}  // namespace strativex
