#pragma once

#include <string>
#include <vector>

#include "core/material_table.h"
#include "core/model.h"
#include "persistence/safe_write.h"

namespace strativex {

inline constexpr const char* kLoadModelTitle = "Error Loading Model File";
inline constexpr const char* kSaveModelTitle = "Error Saving Model File";

// A layer read as "no material": its id was below 1, or not in the table.
struct ReplacedMaterialId {
    int Layer = 0;
    int Id = 0;
};

struct ModelFileOutcome {
    bool Ok = true;
    std::string FailureText;  // the step that failed
    std::string Message;      // path, failure text and outcome line, joined by CR LF
    std::string Reason;       // why the file could not be opened: "no such file", ...
    std::vector<ReplacedMaterialId> ReplacedIds;
};

// The model's file content, byte for byte.
std::string ModelFileText(const Model& model);

// Writes the model through the safe writer.
ModelFileOutcome SaveModelFile(const Model& model, const std::string& path);

// Resets the model to a new one and reads the file into it. On failure the model holds what
// was read before the failure; the caller sets up a new model.
ModelFileOutcome LoadModelFile(Model& model, const MaterialTable& table,
                               const ModelDefaults& defaults, const std::string& path);
ModelFileOutcome ReadModelText(Model& model, const MaterialTable& table,
                               const ModelDefaults& defaults, const std::string& content);

}  // namespace strativex
