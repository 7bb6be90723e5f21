#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/custom_material_line.h"
#include "core/material_table.h"
#include "persistence/safe_write.h"

// matcust.dat as the custom materials editor holds it: the records it shows and edits, and the
// lines it does not show, which go back unchanged so that nothing the editor cannot show is
// lost when it saves.
namespace strativex {

inline constexpr int kEditorMaterialLimit = 20;

struct CustomMaterialsFile {
    std::vector<Material> Shown;
    // The lines not shown, in file order with their line ends: the records after the shown
    // ones and the lines that hold no material the program can use. They follow the shown
    // records when the file is written.
    std::string KeptText;
    // Records among the kept lines that the program can use.
    int KeptRecordCount = 0;
    // The kept lines that hold no material the program can use, named as the loader names them.
    std::vector<SkippedCustomLine> Skipped;
    // The largest of 0 and the ids of the kept lines, which a new material must not reuse.
    std::int16_t LargestKeptId = 0;
};

// An absent or unreadable file holds no materials. A line whose id is one of the standard
// materials of the table (its records before FirstCustomIndex) is not shown, as the loader
// does not take it.
CustomMaterialsFile ReadCustomMaterialsFile(const std::string& path, const MaterialTable& standard);
CustomMaterialsFile ParseCustomMaterials(std::string_view content,
                                         const MaterialTable& standard = MaterialTable{});

// One above the largest custom id in use, passing over the ids of standard materials; nothing
// when that would not fit a 16-bit id.
std::optional<std::int16_t> NextCustomId(const CustomMaterialsFile& file,
                                         const std::vector<std::int16_t>& standardIds);

std::string CustomMaterialsText(const CustomMaterialsFile& file);
SafeWriteResult WriteCustomMaterialsFile(const std::string& path, const CustomMaterialsFile& file);

}  // namespace strativex
