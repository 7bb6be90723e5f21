#include "cli/calc_run.h"

#include <filesystem>
#include <vector>

#include "cli/calc_inputs.h"
#include "cli/csv_report.h"
#include "cli/exact_progress.h"
#include "cli/exact_run.h"
#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "cli/loaded_model.h"
#include "cli/model_summary.h"
#include "cli/sweep_run.h"
#include "cli/table_report.h"
#include "cli/transient_run.h"
#include "cli/usage_text.h"
#include "core/thermal_calc.h"
#include "persistence/model_file.h"

namespace strativex {
namespace {

void WarnReplacedIds(const std::string& path, const ModelFileOutcome& outcome, std::ostream& err) {
    for (const ReplacedMaterialId& replaced : outcome.ReplacedIds) {
        err << kProgramName << ": warning: " << path << ": layer " << replaced.Layer
            << ": material id " << replaced.Id
            << (replaced.Id < 1 ? " names no material" : " is not in the materials table")
            << "; the layer has no result\n";
    }
}

void WarnOutOfRange(const std::string& path, const std::vector<OutOfRangeValue>& values,
                    std::ostream& err) {
    for (const OutOfRangeValue& value : values) {
        err << kProgramName << ": warning: " << path << ": " << value.Text
            << "; calculated as the file says\n";
    }
}

// One line: the program, the file, the reason where the system gave one, and the texts the
// window shows for the same failure.
void ReportLoadFailure(const std::string& path, const ModelFileOutcome& outcome,
                       std::ostream& err) {
    err << kProgramName << ": " << path << ": " << outcome.FailureText;
    if (!outcome.Reason.empty()) err << " (" << outcome.Reason << ")";
    err << " Model not loaded.\n";
}

exact::ExactResult CheckWithProgress(const LoadedModel& loaded, const MaterialTable& table,
                                     const CalcOptions& options, std::ostream& err) {
    const bool pictures = options.ReportPdfPath.has_value();
    if (!options.ShowProgress)
        return ExactCheckForReport(loaded.Data, table, pictures, options.Base, {}, options.Sources);
    ExactProgressLine progress(err, loaded.Path);
    exact::CheckHooks hooks;
    hooks.Progress = [&progress](double fraction, std::string_view stage) {
        progress.Show(fraction, stage);
    };
    return ExactCheckForReport(loaded.Data, table, pictures, options.Base, hooks, options.Sources);
}

// The sources given do not fit this model: a usage error like a bad value, named on err.
bool ArrayRefused(const LoadedModel& loaded, std::ostream& err) {
    const auto& unavailable = loaded.Exact->Unavailable;
    if (!unavailable || unavailable->Reason != exact::UnavailableReason::InvalidSourceArray) {
        return false;
    }
    err << kProgramName << ": " << loaded.Path << ": " << loaded.Exact->Message << "\n";
    return true;
}

void WriteReport(const CalcOptions& options, const std::vector<LoadedModel>& models,
                 const MaterialTable& table, std::ostream& out) {
    switch (options.Format) {
        case OutputFormat::Json:
            out << JsonReport(models, table);
            return;
        case OutputFormat::Csv:
            out << CsvReport(models, table, options.Exact, options.Transient);
            return;
        case OutputFormat::Table:
            WriteTableReport(out, models, table);
            return;
    }
}

// A report written over the model, the materials, their heat capacities or the preferences
// would destroy what the run reads; the name of the first such file, if any.
std::optional<std::string> ReadFileAt(const std::string& reportPath, const CalcOptions& options,
                                      const CalcInputs& inputs) {
    std::vector<std::string> read = options.ModelPaths;
    read.insert(read.end(), {inputs.Materials.Standard, inputs.Materials.Custom, inputs.PrefsPath,
                             exact::TransientHeatPath(inputs.Materials)});
    for (const std::string& path : read) {
        std::error_code error;
        if (std::filesystem::equivalent(reportPath, path, error)) return path;
    }
    return std::nullopt;
}

}  // namespace

int RunCalculator(const CalcOptions& options, const ProgramFolders& folders, std::ostream& out,
                  std::ostream& err, const ReportWriter& writeReport) {
    const std::optional<CalcInputs> inputs = FindCalcInputs(options, folders, err);
    if (!inputs) return kExitReadFailure;
    if (options.ReportPdfPath) {
        if (const auto read = ReadFileAt(*options.ReportPdfPath, options, *inputs)) {
            err << kProgramName << ": refusing to write the report over '" << *read
                << "', which this run reads\n";
            return kExitReadFailure;
        }
    }
    if (options.SpicePath) {
        if (const auto read = ReadFileAt(*options.SpicePath, options, *inputs)) {
            err << kProgramName << ": refusing to write the networks over '" << *read
                << "', which this run reads\n";
            return kExitReadFailure;
        }
    }
    MaterialTable table;
    if (!LoadCalcMaterials(table, inputs->Materials, err)) return kExitReadFailure;
    const std::string heatPath = exact::TransientHeatPath(inputs->Materials);
    std::optional<HeatCapacityTable> heat;
    if (options.Transient && !(heat = LoadTransientHeat(heatPath, err))) return kExitUsage;
    bool heatMissing = false;
    std::vector<LoadedModel> models;
    // A model is kilobytes of layers and texts: growing the vector would copy every one.
    models.reserve(options.ModelPaths.size());
    bool readFailed = false;
    bool resultMissing = false;
    bool arrayRefused = false;
    for (const std::string& path : options.ModelPaths) {
        LoadedModel loaded{path, {}, std::nullopt, std::nullopt, {}};
        const ModelFileOutcome outcome = LoadModelFile(loaded.Data, table, ModelDefaults{}, path);
        if (!outcome.Ok) {
            ReportLoadFailure(path, outcome, err);
            readFailed = true;
            continue;
        }
        WarnReplacedIds(path, outcome, err);
        loaded.OutOfRange = OutOfRangeValues(loaded.Data);
        WarnOutOfRange(path, loaded.OutOfRange, err);
        RecalculateModel(loaded.Data, table);
        MarkLayersWithoutMaterial(loaded.Data);
        resultMissing = resultMissing || ModelStatus(loaded.Data) != ResultStatus::Ok;
        if (options.Exact) {
            loaded.Exact = CheckWithProgress(loaded, table, options, err);
            resultMissing = resultMissing || ExactCheckFailed(*loaded.Exact);
            arrayRefused = ArrayRefused(loaded, err) || arrayRefused;
        }
        if (options.Transient) {
            loaded.Transient = TransientForReport(loaded.Data, table, *heat, heatPath, options);
            heatMissing = heatMissing || TransientMissesHeat(*loaded.Transient, path, err);
            resultMissing = resultMissing || !loaded.Transient->HasNetworks();
        }
        models.push_back(std::move(loaded));
    }
    if (options.Sweep) {
        // The one model a sweep takes could not be read: its message is out already.
        if (models.empty()) return kExitReadFailure;
        return PrintSweep(models.front(), table, *options.Sweep, options.Format, out, err);
    }
    WriteReport(options, models, table, out);
    if (options.ReportPdfPath && !models.empty() &&
        !(writeReport && writeReport(models.front(), table, inputs->Prefs, err))) {
        readFailed = true;
    }
    if (options.SpicePath && !models.empty() &&
        !WriteTransientSpice(*options.SpicePath, *models.front().Transient, models.front().Path,
                             err)) {
        readFailed = true;
    }
    if (readFailed) return kExitReadFailure;
    if (heatMissing || arrayRefused) return kExitUsage;
    return resultMissing ? kExitNoResult : kExitOk;
}

}  // namespace strativex
