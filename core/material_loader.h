#pragma once

#include <optional>
#include <string>

#include <vector>

#include "core/custom_material_line.h"
#include "core/material_table.h"
#include "core/record_reader.h"

namespace strativex {

struct MaterialPaths {
    std::string Standard;
    std::string Custom;
};

MaterialPaths MaterialPathsIn(const std::string& materialsFolder);

struct MaterialLoadOutcome {
    enum class Kind { Loaded, StandardFileMissing, Fatal };
    Kind Result = Kind::Loaded;
    std::string FatalText;  // the message to show before the program ends, for Fatal
    // Why a custom materials file that is there could not be read; it then adds no materials.
    std::string CustomFileProblem;
    // Readable custom records left after the customLimit stop.
    int IgnoredCustomRecords = 0;
    // Custom lines that hold no material the table can take: unreadable, or an id in use.
    std::vector<SkippedCustomLine> SkippedCustomLines;
};

// Rebuilds the table from both files. customLimit stops the custom reading after that many
// records (the start-up takes at most 20); without it the custom file is read up to the
// table's capacity.
MaterialLoadOutcome LoadMaterials(MaterialTable& table, const MaterialPaths& paths,
                                  std::optional<int> customLimit);

// The same over the files' contents; nothing stands for a file that cannot be read.
MaterialLoadOutcome LoadMaterialTexts(MaterialTable& table, const MaterialPaths& paths,
                                      const std::optional<std::string>& standard,
                                      const std::optional<std::string>& custom,
                                      std::optional<int> customLimit);

// One record of the custom materials file: id, quoted name, A, B; nothing when it does not
// read or convert.
std::optional<Material> ReadCustomMaterialRecord(RecordReader& reader);

std::string StandardFileMissingText(const std::string& standardPath);

inline constexpr const char* kMaterialsErrorTitle = "Error Loading Materials File";

}  // namespace strativex
