#include "cli/calc_inputs.h"

#include <filesystem>

#include "cli/usage_text.h"

namespace strativex {
namespace {

bool PreferencesFileAbsent(const std::string& path) {
    std::error_code error;
    return !std::filesystem::exists(std::filesystem::symlink_status(path, error));
}

// Until the window first starts, an installed copy's own folder has no standard file yet; the
// window would copy the shipped one there, so the calculator reads that one in its place.
MaterialPaths MaterialsIn(const std::string& folder, const ProgramFolders& folders) {
    MaterialPaths paths = MaterialPathsIn(folder);
    std::error_code error;
    if (KeepsUserFilesApart(folders) && folder == folders.DefaultMaterialsFolder &&
        !std::filesystem::exists(paths.Standard, error)) {
        paths.Standard = MaterialPathsIn(ShippedMaterialsFolder(folders)).Standard;
    }
    return paths;
}

}  // namespace

std::string ShownLines(const std::string& message) {
    std::string text;
    for (std::size_t i = 0; i < message.size(); ++i) {
        if (message.compare(i, 2, "\r\n") == 0) ++i;
        text += message[i];
    }
    return text;
}

std::optional<CalcInputs> FindCalcInputs(const CalcOptions& options, const ProgramFolders& folders,
                                         std::ostream& err) {
    CalcInputs inputs;
    inputs.PrefsPath = options.PrefsPath.value_or(folders.PreferencesPath);
    const bool named = options.PrefsPath.has_value();
    if (named || !PreferencesFileAbsent(inputs.PrefsPath)) {
        const PreferencesLoadOutcome loaded =
            LoadPreferences(inputs.Prefs, folders, inputs.PrefsPath);
        if (!loaded.Ok && named) {
            err << kProgramName << ": cannot read the preferences '" << inputs.PrefsPath << "'\n";
            return std::nullopt;
        }
        if (!loaded.Ok) err << kProgramName << ": warning: " << ShownLines(loaded.Message) << "\n";
    } else {
        inputs.Prefs.MaterialsFolder = folders.DefaultMaterialsFolder;
    }
    inputs.Materials =
        MaterialsIn(options.MaterialsFolder.value_or(inputs.Prefs.MaterialsFolder), folders);
    return inputs;
}

bool LoadCalcMaterials(MaterialTable& table, const MaterialPaths& paths, std::ostream& err) {
    const MaterialLoadOutcome outcome = LoadMaterials(table, paths, kStartupCustomLimit);
    switch (outcome.Result) {
        case MaterialLoadOutcome::Kind::Loaded:
            break;
        case MaterialLoadOutcome::Kind::StandardFileMissing:
            err << kProgramName << ": cannot read the standard materials file '" << paths.Standard
                << "'\n(--materials DIR names the folder that holds it)\n";
            return false;
        case MaterialLoadOutcome::Kind::Fatal:
            err << kProgramName << ": " << ShownLines(outcome.FatalText) << "\n";
            return false;
    }
    if (!outcome.CustomFileProblem.empty()) {
        err << kProgramName << ": warning: " << paths.Custom << ": " << outcome.CustomFileProblem
            << "; no custom materials are used\n";
    }
    for (const SkippedCustomLine& skipped : outcome.SkippedCustomLines) {
        err << kProgramName << ": warning: " << paths.Custom << ": " << SkippedLineText(skipped)
            << "; the line is skipped\n";
    }
    if (outcome.IgnoredCustomRecords > 0) {
        err << kProgramName << ": warning: " << paths.Custom << ": as the program does at start-up,"
            << " only the first " << kStartupCustomLimit << " custom materials are used; "
            << outcome.IgnoredCustomRecords << " more are ignored\n";
    }
    return true;
}

}  // namespace strativex
