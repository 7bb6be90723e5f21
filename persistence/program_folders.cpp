#include "persistence/program_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace strativex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kAppFolderName = "Strativex";

// One spelling per folder, so that folders compare by their text.
std::string Clean(const fs::path& path) {
    std::string text = path.lexically_normal().string();
    while (text.size() > 1 && text.ends_with('/')) text.pop_back();
    return text;
}

// An XDG variable counts only when it holds an absolute path, as the desktop's rules say.
fs::path BaseFolder(const SystemView& system, const char* variable, const char* fallback) {
    const auto value = system.Variable(variable);
    if (value && value->starts_with('/')) return *value;
    const auto home = system.Variable("HOME");
    return fs::path(home && !home->empty() ? *home : "/") / fallback;
}

ProgramFolders UserFolders(const SystemView& system, const std::string& shippedData) {
    const fs::path data = BaseFolder(system, "XDG_DATA_HOME", ".local/share") / kAppFolderName;
    const fs::path config = BaseFolder(system, "XDG_CONFIG_HOME", ".config") / kAppFolderName;
    return {Clean(data), Clean(data / "Materials"), Clean(data / "Models"),
            Clean(config / kPreferencesFileName), shippedData};
}

bool HoldsInstalledData(const std::string& dataFolder) {
    std::error_code error;
    return fs::exists(fs::path(dataFolder) / "Materials" / "matprops.dat", error);
}

}  // namespace

ProgramFolders ProgramFoldersFor(const std::string& programFolder) {
    return {programFolder, programFolder + "/Materials", programFolder + "/Models",
            programFolder + "/" + kPreferencesFileName, programFolder};
}

std::string SettingsPathOf(const ProgramFolders& folders) {
    return Clean(fs::path(folders.PreferencesPath).parent_path() / kSettingsFileName);
}

SystemView TheSystem() {
    return {[](const char* name) -> std::optional<std::string> {
                const char* value = std::getenv(name);
                if (value == nullptr) return std::nullopt;
                return std::string(value);
            },
            [](const std::string& folder) {
                std::error_code error;
                return fs::is_directory(folder, error) &&
                       ::access(folder.c_str(), W_OK | X_OK) == 0;
            }};
}

ProgramFolders ResolveProgramFolders(const std::string& executableFolder,
                                     const SystemView& system) {
    const std::string programFolder = Clean(executableFolder);
    const std::string installedData = Clean(fs::path(programFolder) / STRATIVEX_DATA_FROM_BIN);
    // An installed copy keeps to the user's folders even where it could write beside itself:
    // as root in /usr/bin, or in a prefix of the user's own such as ~/.local.
    if (HoldsInstalledData(installedData)) return UserFolders(system, installedData);
    if (!system.Writable(programFolder)) return UserFolders(system, programFolder);
    return ProgramFoldersFor(programFolder);
}

std::string ExecutableFolder(const std::string& argv0) {
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    if (error) path = fs::absolute(argv0, error);
    return Clean((error ? fs::path(argv0) : path).parent_path());
}

std::string ShippedMaterialsFolder(const ProgramFolders& folders) {
    return Clean(fs::path(folders.HelpFolder) / "Materials");
}

bool KeepsUserFilesApart(const ProgramFolders& folders) {
    return ShippedMaterialsFolder(folders) != Clean(folders.DefaultMaterialsFolder);
}

void CreateUserFolders(const ProgramFolders& folders) {
    if (!KeepsUserFilesApart(folders)) return;
    std::error_code error;
    for (const std::string& folder :
         {folders.ProgramFolder, folders.DefaultMaterialsFolder, folders.DefaultModelsFolder}) {
        fs::create_directories(folder, error);
    }
    fs::create_directories(fs::path(folders.PreferencesPath).parent_path(), error);
}

std::string ExistingFolderFor(const std::string& folder, const ProgramFolders& folders) {
    std::error_code error;
    if (!folder.empty() && Clean(folder) == Clean(folders.DefaultModelsFolder)) {
        fs::create_directories(folder, error);
    }
    fs::path existing = fs::absolute(folder.empty() ? folders.ProgramFolder : folder, error);
    while (!fs::is_directory(existing, error) && existing.has_relative_path()) {
        existing = existing.parent_path();
    }
    return Clean(existing);
}

}  // namespace strativex
