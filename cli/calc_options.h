#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/sweep.h"
#include "exact/base_condition.h"
#include "exact/source_array.h"

namespace strativex {

enum class OutputFormat { Table, Json, Csv };

struct CalcOptions {
    std::optional<std::string> MaterialsFolder;
    OutputFormat Format = OutputFormat::Table;
    std::vector<std::string> ModelPaths;
    // The printed report of the one model, as a PDF, and the preferences its header comes from.
    std::optional<std::string> ReportPdfPath;
    std::optional<std::string> PrefsPath;
    // Instead of the results, the one model's results as one of its values is swept.
    std::optional<SweepRequest> Sweep;
    // Beside the results, the 3-D check of every model, with this base.
    bool Exact = false;
    exact::BaseCondition Base;
    // ... and with these heat sources.
    exact::SourceArray Sources;
    // A check that runs longer than a second shows its progress on err; only for a terminal.
    bool ShowProgress = false;
    // Beside the results, every model's thermal impedance and its RC networks: with this many
    // stages (else the fewest that fit), their subcircuits written to SpicePath.
    bool Transient = false;
    std::optional<int> Stages;
    std::optional<std::string> SpicePath;
};

struct ParsedArguments {
    enum class Kind { Run, Help, UsageError };
    Kind Result = Kind::Run;
    CalcOptions Options;
    std::string Error;  // what was wrong, for UsageError
};

// The arguments after the program name. "--" ends the options, so that a model file whose name
// starts with "-" can still be given.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

}  // namespace strativex
