#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/material_table.h"
#include "persistence/safe_write.h"

// matcust.dat as the custom materials editor holds it: the records it shows and edits, and
// whatever follows them in the file, which goes back unchanged so that nothing the editor
// cannot show is lost when it saves.
namespace strativex {

inline constexpr int kEditorMaterialLimit = 20;

struct CustomMaterialsFile {
    std::vector<Material> Shown;
    // The file after the shown records, byte for byte; empty when only blanks follow.
    std::string KeptText;
    // Records that read from KeptText before its end or its first unreadable record.
    int KeptRecordCount = 0;
    bool KeptUnreadable = false;
    // The largest of 0 and the ids of the kept records, which a new material must not reuse.
    std::int16_t LargestKeptId = 0;
};

// An absent or unreadable file holds no materials.
CustomMaterialsFile ReadCustomMaterialsFile(const std::string& path);
CustomMaterialsFile ParseCustomMaterials(std::string_view content);

// One above the largest custom id in use, passing over the ids of standard materials; nothing
// when that would not fit a 16-bit id.
std::optional<std::int16_t> NextCustomId(const CustomMaterialsFile& file,
                                         const std::vector<std::int16_t>& standardIds);

std::string CustomMaterialsText(const CustomMaterialsFile& file);
SafeWriteResult WriteCustomMaterialsFile(const std::string& path, const CustomMaterialsFile& file);

}  // namespace strativex
