#pragma once

#include <functional>
#include <optional>
#include <string>

// Where the user's files live, for the window and the calculator alike. A copy run from its
// build folder or from an unpacked folder it may write to keeps everything in that folder. An
// installed copy (its data in the installed data folder beside its programs' folder) and a copy
// in a folder it may not write to keep prefs.txt in the user's configuration folder and the
// Materials and Models folders in the user's data folder ($XDG_CONFIG_HOME and $XDG_DATA_HOME,
// by default ~/.config and ~/.local/share); the help documents stay where they were shipped.
namespace strativex {

inline constexpr const char* kPreferencesFileName = "prefs.txt";
inline constexpr const char* kSettingsFileName = "settings.ini";

struct ProgramFolders {
    std::string ProgramFolder;  // the working folder: the program's own, or the user's data
    std::string DefaultMaterialsFolder;
    std::string DefaultModelsFolder;
    std::string PreferencesPath;
    std::string HelpFolder;  // the shipped data: help documents and the standard materials
};

// The settings prefs.txt cannot hold (toggles of the analyses) go in a file of their own beside
// it, since older copies and peers read prefs.txt as it is.
std::string SettingsPathOf(const ProgramFolders& folders);

// Everything in one folder, as a copy run from its own folder has it.
ProgramFolders ProgramFoldersFor(const std::string& programFolder);

// What the resolver asks of the system; tests give their own answers.
struct SystemView {
    std::function<std::optional<std::string>(const char* name)> Variable;
    std::function<bool(const std::string& folder)> Writable;
};
SystemView TheSystem();

ProgramFolders ResolveProgramFolders(const std::string& executableFolder,
                                     const SystemView& system = TheSystem());

// The folder of the running program; argv0 serves where the system cannot name it.
std::string ExecutableFolder(const std::string& argv0);

// The folder of the standard materials this copy ships.
std::string ShippedMaterialsFolder(const ProgramFolders& folders);

// True when the user's files live apart from what the program ships.
bool KeepsUserFilesApart(const ProgramFolders& folders);

// Makes the folders that hold the user's files, when they live apart. A folder that cannot be
// made shows up where it is needed, with the messages of the materials and preferences.
void CreateUserFolders(const ProgramFolders& folders);

// The folder a file dialog starts in for the given one: the folder itself where it exists; the
// default Models folder, made when it is missing (as at a first start); otherwise its nearest
// existing parent, so that the dialog never opens on a folder that is not there.
std::string ExistingFolderFor(const std::string& folder, const ProgramFolders& folders);

}  // namespace strativex
