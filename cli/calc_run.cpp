#include "cli/calc_run.h"

#include <vector>

#include "cli/csv_report.h"
#include "cli/exact_run.h"
#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "cli/loaded_model.h"
#include "cli/sweep_run.h"
#include "cli/table_report.h"
#include "cli/usage_text.h"
#include "core/material_loader.h"
#include "core/thermal_calc.h"
#include "persistence/model_file.h"

namespace strativex {
namespace {

// The core's messages are written for message boxes, with CR LF between their lines.
std::string ShownLines(const std::string& message) {
    std::string text;
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message.compare(i, 2, "\r\n") == 0) {
            text += '\n';
            ++i;
        } else {
            text += message[i];
        }
    }
    return text;
}

bool LoadTable(MaterialTable& table, const std::string& folder, std::ostream& err) {
    const MaterialPaths paths = MaterialPathsIn(folder);
    const MaterialLoadOutcome outcome = LoadMaterials(table, paths, std::nullopt);
    switch (outcome.Result) {
        case MaterialLoadOutcome::Kind::Loaded:
            return true;
        case MaterialLoadOutcome::Kind::StandardFileMissing:
            err << kProgramName << ": cannot read the standard materials file '" << paths.Standard
                << "'\n(--materials DIR names the folder that holds it)\n";
            return false;
        case MaterialLoadOutcome::Kind::Fatal:
            err << kProgramName << ": " << ShownLines(outcome.FatalText) << "\n";
            return false;
    }
    return false;
}

void WarnReplacedIds(const std::string& path, const ModelFileOutcome& outcome, std::ostream& err) {
    for (const ReplacedMaterialId& replaced : outcome.ReplacedIds) {
        err << kProgramName << ": warning: " << path << ": layer " << replaced.Layer
            << ": material id " << replaced.Id
            << " is not in the materials table; the layer is calculated without material\n";
    }
}

std::string Report(const CalcOptions& options, const std::vector<LoadedModel>& models,
                   const MaterialTable& table) {
    switch (options.Format) {
        case OutputFormat::Json:
            return JsonReport(models, table);
        case OutputFormat::Csv:
            return CsvReport(models, table, options.Exact);
        case OutputFormat::Table:
            return TableReport(models, table);
    }
    return {};
}

}  // namespace

int RunCalculator(const CalcOptions& options, const std::string& defaultMaterialsFolder,
                  std::ostream& out, std::ostream& err, const ReportWriter& writeReport) {
    MaterialTable table;
    if (!LoadTable(table, options.MaterialsFolder.value_or(defaultMaterialsFolder), err)) {
        return kExitReadFailure;
    }
    std::vector<LoadedModel> models;
    bool readFailed = false;
    bool resultMissing = false;
    for (const std::string& path : options.ModelPaths) {
        LoadedModel loaded{path, {}, std::nullopt};
        const ModelFileOutcome outcome = LoadModelFile(loaded.Data, table, ModelDefaults{}, path);
        if (!outcome.Ok) {
            err << ShownLines(outcome.Message) << "\n";
            readFailed = true;
            continue;
        }
        WarnReplacedIds(path, outcome, err);
        RecalculateModel(loaded.Data, table);
        resultMissing = resultMissing || FirstLayerWithoutResult(loaded.Data).has_value();
        if (options.Exact) {
            loaded.Exact =
                ExactCheckForReport(loaded.Data, table, options.ReportPdfPath.has_value());
            resultMissing = resultMissing || ExactCheckFailed(*loaded.Exact);
        }
        models.push_back(std::move(loaded));
    }
    if (options.Sweep) {
        // The one model a sweep takes could not be read: its message is out already.
        if (models.empty()) return kExitReadFailure;
        return PrintSweep(models.front(), table, *options.Sweep, options.Format, out, err);
    }
    out << Report(options, models, table);
    if (options.ReportPdfPath && !models.empty() &&
        !(writeReport && writeReport(models.front(), table, err))) {
        readFailed = true;
    }
    if (readFailed) return kExitReadFailure;
    return resultMissing ? kExitNoResult : kExitOk;
}

}  // namespace strativex
